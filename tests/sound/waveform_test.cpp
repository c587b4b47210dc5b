#include "sound/waveform.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orlane;

TEST(Waveform, decimationSteps) {
  EXPECT_EQ(WaveformByteStep(WaveFormat::Pcm(8000, 8)), 1);
  EXPECT_EQ(WaveformByteStep(WaveFormat::Pcm(44100, 16, 2)), 20);
  EXPECT_EQ(WaveformByteStep(WaveFormat::Pcm(22050, 16)), 2);
}

TEST(Waveform, eightBitSamplesAroundTheBaseline) {
  // 4 samples over 100 px: silence, full positive, full negative, silence.
  const QByteArray pcm("\x80\xFF\x00\x80", 4);
  const auto points = BuildWaveform(WaveFormat::Pcm(8000, 8), pcm, 100, 132, true);
  ASSERT_EQ(points.size(), 5u);
  const int baseline = (132 - 32) / 2 + 16;  // 66
  EXPECT_EQ(points[0], QPoint(0, baseline));
  EXPECT_EQ(points[1], QPoint(0, baseline));
  EXPECT_EQ(points[2], QPoint(25, baseline - static_cast<int>(127 * 100.0 / 256)));
  EXPECT_EQ(points[3], QPoint(50, baseline + 50));
  EXPECT_EQ(points[4], QPoint(75, baseline));
}

TEST(Waveform, withoutTextBandUsesTheWholeHeight) {
  const QByteArray pcm("\x00\x80", 2);  // -32768 in 16 bits
  const auto points = BuildWaveform(WaveFormat::Pcm(8000, 16), pcm, 10, 100, false);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1], QPoint(0, 50 + 50));
}

TEST(Waveform, emptyAndOddInputsGiveNoCrash) {
  EXPECT_TRUE(BuildWaveform(WaveFormat::Pcm(8000, 16), QByteArray("\x01", 1), 10, 100, true).empty());
  EXPECT_TRUE(BuildWaveform(WaveFormat::Pcm(8000, 8), {}, 10, 100, true).empty());
  WaveFormat zero = WaveFormat::Pcm(8000, 8);
  zero.channels = 0;
  zero.averageBytesPerSecond = 0;
  EXPECT_FALSE(BuildWaveform(zero, "ab", 10, 100, true).empty());
}

TEST(Waveform, hugeFormatFieldsStillStepForward) {
  // Once 32-bit arithmetic made the step 0 here and the loop never ended.
  WaveFormat hostile = WaveFormat::Pcm(8000, 16);
  hostile.channels = 65535;
  hostile.averageBytesPerSecond = 0xFFFFFFFFu;
  EXPECT_GT(WaveformByteStep(hostile), 0);
  const QByteArray pcm(1 << 20, '\x7f');
  const auto points = BuildWaveform(hostile, pcm, 600, 200, true);
  ASSERT_FALSE(points.empty());
  for (const QPoint& p : points) EXPECT_LE(p.x(), 600);
  hostile.channels = 32768;
  EXPECT_FALSE(BuildWaveform(hostile, pcm, 600, 200, false).empty());
  EXPECT_TRUE(BuildWaveform(hostile, pcm, -5, 200, false).empty());
  EXPECT_FALSE(
      BuildWaveform(WaveFormat::Pcm(8000, 8), pcm.left(10), 600, std::numeric_limits<int>::min(), true).empty());
}

TEST(Waveform, textsAndMarks) {
  EXPECT_EQ(FormatWaveTime(75.25f), QStringLiteral("01:15.250"));
  EXPECT_EQ(WaveFormatLine(WaveFormat::Pcm(8000, 8), 24000),
            QStringLiteral("Rate 8000 hz   Channel 1   Res 8 bit  Length 24000 byte   Time 00:03.000"));
  EXPECT_EQ(RecordingLine(WaveFormat::Pcm(11025, 16), 1.5f),
            QStringLiteral("Rate 11025 hz   Channel 1   Res 16 bit   Time 00:01.500"));
  EXPECT_EQ(WaveMarkX(24000, 24000, 300), 299);
  EXPECT_EQ(WaveMarkX(1, 24000, 300), 1);
  EXPECT_EQ(WaveMarkX(0, 24000, 300), 0);
  EXPECT_EQ(WaveMarkX(5, 0, 300), 0);
}
