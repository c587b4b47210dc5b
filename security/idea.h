// The IDEA block cipher: 52 subkeys from eight 16-bit key words, the inverted
// schedule for deciphering, and the 8-byte block function (words big-endian).
#pragma once

#include "security/md5.h"

#include <array>
#include <cstdint>

namespace orlane {

using IdeaKeyWords = std::array<std::uint16_t, 8>;
using IdeaSchedule = std::array<std::uint16_t, 52>;

// The key words as the program loads them from a digest: the high byte as is,
// the low byte as a signed value, so 0x12 0xB4 gives 0x11B4. Stored user files
// depend on exactly this.
IdeaKeyWords LoadIdeaKeyWords(const Md5Digest& digest);

IdeaSchedule ExpandIdeaKey(const IdeaKeyWords& key);
IdeaSchedule InvertIdeaSchedule(const IdeaSchedule& encrypt);

// Transforms one 8-byte block in place with the given schedule.
void IdeaBlock(const IdeaSchedule& schedule, std::uint8_t* block);

}  // namespace orlane
