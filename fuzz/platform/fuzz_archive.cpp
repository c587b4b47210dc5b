// Any bytes as an archive: strings and counts read in an order the input picks.
#include "platform/archive.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  orlane::ArchiveReader in(bytes);
  std::uint8_t plan = data[0];
  QByteArray text;
  std::uint32_t count = 0;
  std::int32_t value = 0;
  for (int step = 0; step < 64 && !in.ended() && !in.atEnd(); ++step, plan = static_cast<std::uint8_t>(plan * 5 + 1)) {
    switch (plan % 3) {
      case 0: in.readString(text); break;
      case 1: in.readCount(count); break;
      default: in.readInt32(value); break;
    }
    if (in.position() > bytes.size()) std::abort();
  }
  return 0;
}
