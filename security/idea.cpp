#include "security/idea.h"

namespace orlane {

namespace {
// Multiplication modulo 65537 with 0 standing for 65536.
std::uint16_t Mul(std::uint16_t a, std::uint16_t b) {
  const std::uint32_t x = a ? a : 0x10000u;
  const std::uint32_t y = b ? b : 0x10000u;
  const std::uint64_t p = (static_cast<std::uint64_t>(x) * y) % 0x10001u;
  return static_cast<std::uint16_t>(p & 0xFFFF);  // 65536 becomes 0
}

std::uint16_t MulInverse(std::uint16_t x) {
  if (x <= 1) return x;
  // Extended Euclid over 65537.
  std::int64_t t0 = 0, t1 = 1, r0 = 0x10001, r1 = x;
  while (r1 != 0) {
    const std::int64_t q = r0 / r1;
    std::int64_t tmp = r0 - q * r1;
    r0 = r1;
    r1 = tmp;
    tmp = t0 - q * t1;
    t0 = t1;
    t1 = tmp;
  }
  if (t0 < 0) t0 += 0x10001;
  return static_cast<std::uint16_t>(t0 & 0xFFFF);
}

std::uint16_t AddInverse(std::uint16_t x) {
  return static_cast<std::uint16_t>((0x10000u - x) & 0xFFFF);
}
}  // namespace

IdeaKeyWords LoadIdeaKeyWords(const Md5Digest& d) {
  IdeaKeyWords key{};
  for (size_t i = 0; i < 8; ++i) {
    // The low byte is added sign-extended, as the stored files' keys were made.
    const int low = static_cast<std::int8_t>(d[2 * i + 1]);  // NOLINT(bugprone-signed-char-misuse)
    key[i] = static_cast<std::uint16_t>((256 * d[2 * i] + low) & 0xFFFF);
  }
  return key;
}

IdeaSchedule ExpandIdeaKey(const IdeaKeyWords& key) {
  IdeaSchedule z{};
  for (size_t i = 0; i < 8; ++i) z[i] = key[i];
  // Each further group of eight words is the 128-bit key rotated left by 25 bits.
  for (size_t i = 8; i < 52; ++i) {
    const size_t base = (i / 8) * 8 - 8;
    const size_t j = i % 8;
    const std::uint16_t a = z[base + (j + 1) % 8];
    const std::uint16_t b = z[base + (j + 2) % 8];
    z[i] = static_cast<std::uint16_t>(((a << 9) | (b >> 7)) & 0xFFFF);
  }
  return z;
}

IdeaSchedule InvertIdeaSchedule(const IdeaSchedule& z) {
  IdeaSchedule dk{};
  // Round r of deciphering uses the keys of encrypting round 8 - r.
  for (size_t r = 0; r <= 8; ++r) {
    const size_t src = 6 * (8 - r);
    const size_t dst = 6 * r;
    dk[dst] = MulInverse(z[src]);
    const bool swap = r != 0 && r != 8;
    dk[dst + 1] = AddInverse(z[src + (swap ? 2 : 1)]);
    dk[dst + 2] = AddInverse(z[src + (swap ? 1 : 2)]);
    dk[dst + 3] = MulInverse(z[src + 3]);
    if (r < 8) {
      dk[dst + 4] = z[src - 2];
      dk[dst + 5] = z[src - 1];
    }
  }
  return dk;
}

void IdeaBlock(const IdeaSchedule& k, std::uint8_t* block) {
  auto word = [block](int i) { return static_cast<std::uint16_t>((block[2 * i] << 8) | block[2 * i + 1]); };
  std::uint16_t x1 = word(0), x2 = word(1), x3 = word(2), x4 = word(3);
  size_t p = 0;
  for (int round = 0; round < 8; ++round) {
    x1 = Mul(x1, k[p]);
    x2 = static_cast<std::uint16_t>(x2 + k[p + 1]);
    x3 = static_cast<std::uint16_t>(x3 + k[p + 2]);
    x4 = Mul(x4, k[p + 3]);
    const std::uint16_t t0 = Mul(static_cast<std::uint16_t>(x1 ^ x3), k[p + 4]);
    const std::uint16_t t1 = Mul(static_cast<std::uint16_t>(t0 + (x2 ^ x4)), k[p + 5]);
    const std::uint16_t t2 = static_cast<std::uint16_t>(t0 + t1);
    x1 = static_cast<std::uint16_t>(x1 ^ t1);
    x4 = static_cast<std::uint16_t>(x4 ^ t2);
    const std::uint16_t a = static_cast<std::uint16_t>(x2 ^ t2);
    x2 = static_cast<std::uint16_t>(x3 ^ t1);
    x3 = a;
    p += 6;
  }
  const std::uint16_t y1 = Mul(x1, k[p]);
  const std::uint16_t y2 = static_cast<std::uint16_t>(x3 + k[p + 1]);
  const std::uint16_t y3 = static_cast<std::uint16_t>(x2 + k[p + 2]);
  const std::uint16_t y4 = Mul(x4, k[p + 3]);
  const std::uint16_t out[4] = {y1, y2, y3, y4};
  for (int i = 0; i < 4; ++i) {
    block[2 * i] = static_cast<std::uint8_t>(out[i] >> 8);
    block[2 * i + 1] = static_cast<std::uint8_t>(out[i] & 0xFF);
  }
}

}  // namespace orlane
