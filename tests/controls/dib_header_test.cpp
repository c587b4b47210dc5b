#include "controls/dib_header.h"
#include "bitmap_files.h"

#include <gtest/gtest.h>

#include <random>

using namespace orlane;
using namespace orlane::test;

namespace {
DibParseResult Parse(const QByteArray& bytes) {
  return ParseDibFile({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())});
}
const QByteArray kSkin = Bitmap8(64, 25, {0x102030, 0xFFEEDD}, [](int x) { return x % 2; });
}  // namespace

TEST(DibHeader, eightBitFileGivesSizeAndPaletteAsRedLowColours) {
  const DibParseResult r = Parse(kSkin);
  ASSERT_TRUE(r.info) << r.error;
  EXPECT_EQ(r.info->width, 64);
  EXPECT_EQ(r.info->height, 25);
  EXPECT_EQ(r.info->bitCount, 8);
  EXPECT_EQ(r.info->colorCount, 2u);
  ASSERT_EQ(r.info->palette.size(), 2u);
  EXPECT_EQ(r.info->palette[0], MakeColorRef(0x10, 0x20, 0x30));
  EXPECT_EQ(r.info->palette[1], MakeColorRef(0xFF, 0xEE, 0xDD));
  EXPECT_EQ(r.info->bitsOffset, 40u + 2 * 4);
}

TEST(DibHeader, zeroUsedColoursMeansTwoToTheBitCount) {
  QByteArray bytes = Bitmap8(4, 2, std::vector<std::uint32_t>(256, 0x808080), [](int) { return 0; });
  bytes[14 + 32] = 0;  // used-colour count 0
  bytes[14 + 33] = 0;
  const DibParseResult r = Parse(bytes);
  ASSERT_TRUE(r.info) << r.error;
  EXPECT_EQ(r.info->colorCount, 256u);
  EXPECT_EQ(r.info->palette.size(), 256u);
}

TEST(DibHeader, refusesFilesWithoutBmOrCutShortAnywhere) {
  EXPECT_FALSE(Parse(QByteArray()).info);
  EXPECT_EQ(Parse(QByteArray("XM") + kSkin.mid(2)).error, "not a bitmap file (no \"BM\")");
  // Every truncation is refused, none reads past the end.
  for (qsizetype n = 0; n < kSkin.size(); ++n) EXPECT_FALSE(Parse(kSkin.left(n)).info) << n;
  EXPECT_TRUE(Parse(kSkin + QByteArray(1000, 'x')).info);  // trailing bytes are harmless
}

TEST(DibHeader, refusesHostileHeaderFields) {
  auto patched = [](qsizetype at, std::uint32_t value) {
    QByteArray b = kSkin;
    QByteArray v;
    PutU32(v, value);
    b.replace(at, 4, v);
    return b;
  };
  EXPECT_FALSE(Parse(patched(14 + 0, 0xFFFFFFF0u)).info);  // header size
  EXPECT_FALSE(Parse(patched(14 + 4, 0)).info);            // width 0
  EXPECT_FALSE(Parse(patched(14 + 4, 0x7FFFFFFF)).info);   // huge width
  EXPECT_FALSE(Parse(patched(14 + 8, 0x80000000u)).info);  // INT_MIN height
  EXPECT_FALSE(Parse(patched(14 + 32, 100000)).info);      // colour table larger than the file
  QByteArray bits = kSkin;
  bits[14 + 14] = 7;  // 7 bits per pixel
  EXPECT_FALSE(Parse(bits).info);
}

TEST(DibHeader, randomBytesNeverCrash) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 2000; ++round) {
    QByteArray bytes = kSkin;
    const int flips = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < flips; ++i) bytes[static_cast<qsizetype>(rng() % 60)] = static_cast<char>(rng());
    bytes.truncate(static_cast<qsizetype>(rng() % (bytes.size() + 1)));
    const DibParseResult r = Parse(bytes);
    if (r.info) {
      EXPECT_LE(r.info->bitsOffset, static_cast<size_t>(bytes.size()));
    }
  }
}
