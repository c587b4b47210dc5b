#include "sound/wav_image.h"
#include "platform/archive.h"
#include "security/scramble.h"
#include "sound/sound_day_file.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orlane;

namespace {
std::uint32_t U32(const QByteArray& b, int at) {
  std::uint32_t v = 0;
  ArchiveReader(QByteArrayView(b).sliced(at, 4)).readUInt32(v);
  return v;
}
}  // namespace

TEST(WavImage, layoutOfAnEightBitRecording) {
  const QByteArray pcm(24000, '\x80');
  const QByteArray image = BuildWavImage(WaveFormat::Pcm(8000, 8), pcm);
  ASSERT_EQ(image.size(), 46 + 24000);
  EXPECT_EQ(image.left(4), "RIFF");
  EXPECT_EQ(U32(image, 4), 24038u);
  EXPECT_EQ(image.mid(8, 8), "WAVEfmt ");
  EXPECT_EQ(U32(image, 16), 18u);
  EXPECT_EQ(U32(image, 24), 8000u);
  EXPECT_EQ(U32(image, 28), 8000u);
  EXPECT_EQ(image.mid(38, 4), "data");
  EXPECT_EQ(U32(image, 42), 24000u);

  test::TempUserFolder folder;
  ASSERT_EQ(SaveSoundDay(folder.file(QStringLiteral("07d60102.rec")), "pw", WaveFormat::Pcm(8000, 8), pcm),
            WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.rec")).size(), 32 + 24046);
}

TEST(WavImage, oddDataGetsAPadByteThatIsNotData) {
  const QByteArray pcm(3 * 3675, '\x81');
  const QByteArray image = BuildWavImage(WaveFormat::Pcm(11025, 8), pcm);
  EXPECT_EQ(image.size(), 46 + pcm.size() + 1);
  EXPECT_EQ(image.back(), '\0');
  EXPECT_EQ(U32(image, 4), static_cast<std::uint32_t>(38 + pcm.size() + 1));
  const WavImage back = ParseWavImage(image);
  EXPECT_EQ(back.error, 0);
  EXPECT_EQ(back.pcm, pcm);
  EXPECT_EQ(back.format, WaveFormat::Pcm(11025, 8));
}

TEST(WavImage, readsOtherWritersImages) {
  // A 16-byte fmt chunk, a LIST chunk before the data, 16-bit samples.
  QByteArray image = "RIFF";
  QByteArray body = "WAVEfmt ";
  ArchiveWriter w(body);
  w.writeUInt32(16);
  w.writeUInt16(1);
  w.writeUInt16(1);
  w.writeUInt32(22050);
  w.writeUInt32(44100);
  w.writeUInt16(2);
  w.writeUInt16(16);
  body += "LIST";
  w.writeUInt32(3);
  body += "abc";
  body += '\0';
  body += "data";
  w.writeUInt32(4);
  body += QByteArray("\x01\x02\x03\x04", 4);
  ArchiveWriter(image).writeUInt32(static_cast<std::uint32_t>(body.size()));
  image += body;
  const WavImage r = ParseWavImage(image);
  EXPECT_EQ(r.error, 0);
  EXPECT_EQ(r.format.bitsPerSample, 16);
  EXPECT_EQ(r.format.samplesPerSecond, 22050u);
  EXPECT_EQ(r.pcm, QByteArray("\x01\x02\x03\x04", 4));
}

TEST(WavImage, errorsByNumber) {
  const QByteArray good = BuildWavImage(WaveFormat::Pcm(8000, 8), "abcd");
  EXPECT_EQ(ParseWavImage({}).error, 1);
  EXPECT_EQ(ParseWavImage("RIFX....WAVE").error, 2);
  EXPECT_EQ(ParseWavImage(QByteArray(good).replace("fmt ", "fmx ")).error, 3);
  QByteArray shortFmt = good;
  shortFmt[16] = 10;
  EXPECT_EQ(ParseWavImage(shortFmt).error, 4);
  EXPECT_EQ(ParseWavImage(QByteArray(good).replace("data", "dat_")).error, 5);
  EXPECT_EQ(ParseWavImage(BuildWavImage(WaveFormat::Pcm(8000, 8), "")).error, 6);
  EXPECT_EQ(ParseWavImage(good.chopped(2)).error, 7);
  EXPECT_EQ(WavErrorMessage(6), QStringLiteral("Audio Open Error:6"));
  EXPECT_EQ(WavErrorMessage(7), QStringLiteral("Audio Read Error:7"));
}

TEST(WavImage, hostileFormatsAreRefusedWithinTheImage) {
  // A fmt chunk declaring 18 bytes with only 16 left before the end.
  QByteArray atEnd = "RIFF";
  ArchiveWriter w(atEnd);
  w.writeUInt32(4 + 8 + 16);
  atEnd += "WAVEfmt ";
  w.writeUInt32(18);
  atEnd += BuildWavImage(WaveFormat::Pcm(8000, 8), "x").mid(20, 16);
  // In a buffer of its own size, so reading past it is a fault under ASan.
  const std::vector<char> exact(atEnd.begin(), atEnd.end());
  EXPECT_EQ(ParseWavImage(QByteArrayView(exact.data(), static_cast<qsizetype>(exact.size()))).error, 4);

  // Channels 32768 and a byte rate near 4 GB, and other formats no device plays.
  const QByteArray good = BuildWavImage(WaveFormat::Pcm(8000, 16), QByteArray(64, 'x'));
  auto patched = [&](int at, std::uint32_t value, int bytes) {
    QByteArray image = good;
    for (int i = 0; i < bytes; ++i) image[at + i] = static_cast<char>(value >> (8 * i));
    return ParseWavImage(image);
  };
  WaveFormat huge = WaveFormat::Pcm(8000, 16);
  huge.channels = 32768;
  huge.averageBytesPerSecond = 0xFFFFFFF0u;
  QByteArray image = BuildWavImage(huge, QByteArray(64, 'x'));
  const WavImage refused = ParseWavImage(image);
  EXPECT_EQ(refused.error, kWaveBadFormatError);
  EXPECT_TRUE(refused.pcm.isEmpty());
  EXPECT_EQ(WavErrorMessage(refused.error), QStringLiteral("Audio Open Error:8:32"));
  EXPECT_EQ(patched(20, 3, 2).error, 8);       // not PCM
  EXPECT_EQ(patched(22, 0, 2).error, 8);       // no channel
  EXPECT_EQ(patched(24, 0, 4).error, 8);       // no samples a second
  EXPECT_EQ(patched(28, 1, 4).error, 8);       // byte rate that disagrees
  EXPECT_EQ(patched(32, 0, 2).error, 8);       // block align 0
  EXPECT_EQ(patched(34, 12, 2).error, 8);      // 12 bits
  EXPECT_EQ(patched(24, 400000, 4).error, 8);  // beyond every device
  EXPECT_EQ(ParseWavImage(BuildWavImage(WaveFormat::Pcm(44100, 16, 2), "abcd")).error, 0);
}

TEST(WavImage, randomAndTruncatedImagesNeverCrash) {
  const QByteArray good = BuildWavImage(WaveFormat::Pcm(8000, 16), QByteArray(100, 'x'));
  for (qsizetype n = 0; n < good.size(); ++n) EXPECT_NE(ParseWavImage(good.left(n)).error, 0);
  test::RandomBytes random(11);
  for (int i = 0; i < 2000; ++i) {
    QByteArray noise = random.bytes(120);
    if (i % 2) noise = good.left(random.next() % 60) + noise;
    ParseWavImage(noise);
  }
}

TEST(SoundDayFile, onlyTheRightPasswordLoadsIt) {
  test::TempUserFolder folder;
  const QString path = folder.file(QStringLiteral("07d60102.rec"));
  EXPECT_EQ(LoadSoundDay(path, "pw").state, SoundDayState::None);
  ASSERT_EQ(SaveSoundDay(path, "pw", WaveFormat::Pcm(8000, 8), "samples"), WriteResult::Written);
  const SoundDay day = LoadSoundDay(path, "pw");
  EXPECT_EQ(day.state, SoundDayState::Loaded);
  EXPECT_EQ(day.image.pcm, "samples");
  EXPECT_EQ(LoadSoundDay(path, "other").state, SoundDayState::OtherPassword);
  folder.write(QStringLiteral("07d60102.rec"), WrapWithPasswordHeader("not a wav", "pw"));
  EXPECT_EQ(LoadSoundDay(path, "pw").state, SoundDayState::Damaged);
}
