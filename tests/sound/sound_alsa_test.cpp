// A recording through real ALSA: the test configuration (alsa/asoundrc.in,
// chosen by ALSA_CONFIG_PATH) feeds the known samples of capture_8k_u8.raw
// into the capture, and the day's saved sound must begin with exactly those
// bytes. Exits with 77 (skipped) when ALSA cannot open the capture.
#include "sound/sound_day_cycle.h"
#include "sound/sound_day_file.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <cstdlib>

using namespace orlane;

TEST(SoundOnAlsa, recordsTheFedSamples_intoTheDaysSound) {
  QFile sampleFile(QStringLiteral(ORLANE_SOUND_ALSA_SAMPLE));
  ASSERT_TRUE(sampleFile.open(QIODevice::ReadOnly));
  const QByteArray fed = sampleFile.readAll();
  ASSERT_EQ(fed.size(), 8000);
  test::TempUserFolder folder;
  SoundEngine engine;
  DaySound day;
  const QString rec = folder.file(QStringLiteral("07d60102.rec"));
  LoadDaySound(engine, day, rec, "pw");
  if (RecordCommand(engine, day, 8000, 8).outcome != SoundOutcome::Done) {
    std::fputs("ALSA cannot open the test capture: skipped\n", stderr);
    std::exit(77);
  }
  // The file plugin is not clocked: the samples arrive as fast as they are read.
  QElapsedTimer waited;
  waited.start();
  const QString temp = engine.TempFilePath();
  while (QFile(temp).size() < fed.size() && waited.elapsed() < 10000) {
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
  const SoundResult saved = StopCommand(engine, day, "pw");
  ASSERT_EQ(saved.outcome, SoundOutcome::Done) << saved.message.toStdString();
  EXPECT_FALSE(saved.deviceTimedOut);
  const SoundDay stored = LoadSoundDay(rec, "pw");
  ASSERT_EQ(stored.state, SoundDayState::Loaded);
  EXPECT_EQ(stored.image.format, WaveFormat::Pcm(8000, 8));
  ASSERT_GE(stored.image.pcm.size(), fed.size());
  EXPECT_EQ(stored.image.pcm.left(fed.size()), fed);
  // Whole buffers only: 3 of 2666 bytes each time round.
  EXPECT_EQ(stored.image.pcm.size() % 2666, 0);
}
