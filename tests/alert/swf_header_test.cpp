#include "controls/swf_header.h"

#include "swf_files.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <random>

namespace orlane {
namespace {

using test::MakeSwf;
using test::SwfSpec;

TEST(SwfHeader, plainMovie_readsStageRateFramesAndColour) {
  SwfSpec movieHeader;
  movieHeader.frameRate256 = 0x0C80;  // 12.5 frames a second
  movieHeader.frameCount = 240;
  const SwfHeader h = ParseSwfHeader(MakeSwf(movieHeader, false));
  ASSERT_TRUE(h.ok());
  EXPECT_FALSE(h.compressed);
  EXPECT_EQ(h.version, 8);
  EXPECT_EQ(h.stageWidthTwips, 11000);
  EXPECT_EQ(h.stageHeightTwips, 8000);
  EXPECT_DOUBLE_EQ(h.frameRate(), 12.5);
  EXPECT_EQ(h.frameCount, 240);
  EXPECT_TRUE(h.hasBackground);
  EXPECT_EQ(h.backgroundRgb, 0x336699u);
  EXPECT_EQ(h.fileLength, static_cast<quint32>(MakeSwf(movieHeader, false).size()));
}

TEST(SwfHeader, compressedMovie_inflatesToTheSameHeader) {
  SwfSpec movieHeader;
  movieHeader.frameCount = 65535;
  movieHeader.rgb = 0xFF0000;
  movieHeader.fillerTags = 3;
  movieHeader.longFillerTag = true;
  const SwfHeader plain = ParseSwfHeader(MakeSwf(movieHeader, false));
  const SwfHeader packed = ParseSwfHeader(MakeSwf(movieHeader, true));
  ASSERT_TRUE(packed.ok());
  EXPECT_TRUE(packed.compressed);
  EXPECT_EQ(packed.frameCount, 65535);
  EXPECT_EQ(packed.frameRate256, plain.frameRate256);
  EXPECT_EQ(packed.backgroundRgb, 0xFF0000u);
  EXPECT_EQ(packed.fileLength, plain.fileLength);
}

TEST(SwfHeader, noColourTagOrTagPastTheEnd_keepsWhiteStage) {
  SwfSpec movieHeader;
  movieHeader.background = false;
  EXPECT_FALSE(ParseSwfHeader(MakeSwf(movieHeader, false)).hasBackground);
  // A long tag that claims more bytes than there are ends the scan.
  QByteArray b = MakeSwf(SwfSpec{}, false);
  const SwfHeader good = ParseSwfHeader(b);
  ASSERT_TRUE(good.ok());
  b.truncate(8 + 13);  // up to the frame count
  test::PutU16(b, (2 << 6) | 0x3f);
  test::PutU32(b, 0xFFFFFFF0u);
  b.append("xyz");
  const SwfHeader h = ParseSwfHeader(b);
  ASSERT_TRUE(h.ok());
  EXPECT_FALSE(h.hasBackground);
  EXPECT_EQ(h.backgroundRgb, 0xFFFFFFu);
}

TEST(SwfHeader, wrongSignatures_areRefused) {
  QByteArray b = MakeSwf(SwfSpec{}, false);
  for (const char* sig : {"ZWS", "FWX", "fws", "GIF"}) {
    QByteArray c = b;
    c.replace(0, 3, sig);
    EXPECT_EQ(ParseSwfHeader(c).error, SwfError::BadSignature) << sig;
  }
}

TEST(SwfHeader, everyTruncation_isRefusedOrReadsTheTrueCounts) {
  for (bool compressed : {false, true}) {
    const QByteArray whole = MakeSwf(SwfSpec{}, compressed);
    for (qsizetype n = 0; n < whole.size(); ++n) {
      const SwfHeader h = ParseSwfHeader(QByteArrayView(whole).first(n));
      if (n < 8) {
        EXPECT_EQ(h.error, SwfError::TooShort);
      }
      if (h.ok()) {
        EXPECT_EQ(h.frameCount, 24) << n;
        EXPECT_EQ(h.frameRate256, 12 * 256) << n;
      }
    }
    // The plain header needs its 8 + 9 + 4 bytes.
    if (!compressed) {
      EXPECT_FALSE(ParseSwfHeader(QByteArrayView(whole).first(8 + 12)).ok());
    }
  }
}

TEST(SwfHeader, damagedCompressedStream_isRefused) {
  QByteArray b = MakeSwf(SwfSpec{}, true);
  b[8] = '\xFF';  // not a zlib header
  b[9] = '\xFF';
  EXPECT_EQ(ParseSwfHeader(b).error, SwfError::BadCompressed);
  EXPECT_EQ(ParseSwfHeader(QByteArray("CWS\x08\x10\0\0\0", 8)).error, SwfError::BadCompressed);
}

TEST(SwfHeader, oversizedMovies_scanOnlyTheirStart) {
  // A declared length far beyond the bytes, and a body of many tags before
  // the colour: the colour lies past the scan window and is not taken.
  SwfSpec movieHeader;
  movieHeader.fillerTags = kSwfScanBytes;  // two bytes each
  for (bool compressed : {false, true}) {
    QByteArray b = MakeSwf(movieHeader, compressed);
    b[4] = b[5] = b[6] = b[7] = '\xFF';
    const SwfHeader h = ParseSwfHeader(b);
    ASSERT_TRUE(h.ok()) << compressed;
    EXPECT_EQ(h.fileLength, 0xFFFFFFFFu);
    EXPECT_EQ(h.frameCount, 24);
    EXPECT_FALSE(h.hasBackground);
  }
}

TEST(SwfHeader, randomBytes_neverCrash) {
  std::mt19937 rng(7);
  const QByteArray seed = MakeSwf(SwfSpec{}, false);
  for (int round = 0; round < 3000; ++round) {
    QByteArray b = round % 2 == 0 ? seed : QByteArray(static_cast<qsizetype>(rng() % 64), '\0');
    for (char& c : b)
      if (round % 2 != 0 || rng() % 8 == 0) c = static_cast<char>(rng());
    if (round % 3 == 0 && b.size() >= 3) b.replace(0, 3, round % 2 == 0 ? "CWS" : "FWS");
    const SwfHeader h = ParseSwfHeader(b);
    if (h.ok()) {
      EXPECT_GE(h.frameCount, 0);
      EXPECT_LE(h.frameCount, 65535);
      EXPECT_GE(h.stageWidthTwips, 0);
    }
  }
}

TEST(SwfHeader, files_readFromDiskOrRefusedWhenMissing) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("movie.swf"));
  ASSERT_TRUE(test::WriteBytes(path, MakeSwf(SwfSpec{}, true)));
  EXPECT_EQ(ReadSwfHeaderFile(path).frameCount, 24);
  EXPECT_FALSE(ReadSwfHeaderFile(dir.filePath(QStringLiteral("none.swf"))).ok());
  EXPECT_FALSE(SwfErrorText(SwfError::BadCompressed).isEmpty());
}

}  // namespace
}  // namespace orlane
