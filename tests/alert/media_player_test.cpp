#include "controls/media_player2.h"

#include "media_files.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTest>

namespace orlane {
namespace {

constexpr int kLoadWaitMs = 10000;

TEST(MediaPlayer2, options_areKeptAndPlayCountReachesThePlayer) {
  CMediaPlayer2 player;
  EXPECT_EQ(player.ReadyState(), CMediaPlayer2::kUninitialized);
  player.SetAutoStart(true);
  player.SetAutoRewind(true);
  player.SetPlayCount(1000);
  EXPECT_TRUE(player.AutoStart());
  EXPECT_TRUE(player.AutoRewind());
  EXPECT_EQ(player.PlayCount(), 1000);
  EXPECT_EQ(player.EngineLoops(), 1000);
  player.SetPlayCount(0);
  EXPECT_EQ(player.PlayCount(), 1);
  EXPECT_EQ(player.EngineLoops(), 1);
  player.Play();  // nothing to play: no harm
  EXPECT_LT(player.ReadyState(), 2);
}

TEST(MediaPlayer2, unplayableFiles_neverBecomeReady) {
  QTemporaryDir dir;
  CMediaPlayer2 missing;
  missing.SetFileName(dir.filePath(QStringLiteral("gone.wav")));
  CMediaPlayer2 garbage;
  garbage.SetFileName(test::WriteUnplayable(dir.filePath(QStringLiteral("words.wav"))));
  QTest::qWait(1500);
  EXPECT_LT(missing.ReadyState(), 2);
  EXPECT_LT(garbage.ReadyState(), 2);
  EXPECT_FALSE(garbage.Playing());
}

TEST(MediaPlayer2, waveFile_becomesReadyAndPlays) {
  QTemporaryDir dir;
  CMediaPlayer2 player;
  player.SetFileName(test::WriteTestWave(dir.filePath(QStringLiteral("tone.wav"))));
  EXPECT_EQ(player.FileName(), dir.filePath(QStringLiteral("tone.wav")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.ReadyState() >= 2; }, kLoadWaitMs));
  player.Play();
  EXPECT_TRUE(player.Playing());
  player.Stop();
  EXPECT_FALSE(player.Playing());
}

TEST(MediaPlayer2, autoStart_playsOnceLoaded) {
  QTemporaryDir dir;
  CMediaPlayer2 player;
  player.SetAutoStart(true);
  player.SetFileName(test::WriteTestWave(dir.filePath(QStringLiteral("tone.wav"))));
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.Playing(); }, kLoadWaitMs));
}

}  // namespace
}  // namespace orlane
