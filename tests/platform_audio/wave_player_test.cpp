// The fire-and-forget player of the reminder beep.
#include "platform/audio/wave_player.h"
#include "platform/audio/sim_wave_devices.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

namespace orlane::audio {
namespace {

template <typename F>
bool WaitFor(F cond, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!cond()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(1);
  }
  return true;
}

const WaveFormat kBeepFormat = WaveFormat::Pcm(1, 11025, 8);

bool OneBufferQueued(const SimulatedAudio& audio) {
  bool queued = false;
  audio.withLastOutput([&](SimWaveOut* d) { queued = d->queuedCount() == 1; });
  return queued;
}

TEST(WavePlayer, playsTheBytes_thenClosesTheDevice) {
  SimulatedAudio audio;
  WavePlayer player;
  const QByteArray beep(5512, '\x90');
  player.play(kBeepFormat, beep);
  ASSERT_TRUE(WaitFor([&] { return OneBufferQueued(audio); }));
  // The player closes the device as soon as the sound is done, so everything
  // about it is read while the system holds it.
  ASSERT_TRUE(audio.withLastOutput([&](SimWaveOut* device) {
    EXPECT_EQ(device->format(), kBeepFormat);
    EXPECT_EQ(device->playAll(), 5512u);
    EXPECT_EQ(device->playedBytes(), beep);
  }));
  ASSERT_TRUE(player.waitIdle(5000));
  EXPECT_EQ(audio.liveOutputs(), 0);
}

TEST(WavePlayer, oneBeepASecond_keepsOneThreadAndAtMostOneDevice) {
  SimulatedAudio audio;
  WavePlayer player;
  const QByteArray beep(1000, '\x70');
  for (int i = 0; i < 20; ++i) {
    player.play(kBeepFormat, beep);
    EXPECT_LE(audio.liveOutputs(), 1);
  }
  // The last sound replaced the earlier ones; let it finish.
  ASSERT_TRUE(WaitFor([&] {
    audio.withLastOutput([](SimWaveOut* d) { d->playAll(); });
    return player.waitIdle(1);
  }));
  EXPECT_EQ(player.threadsStarted(), 1);
  EXPECT_EQ(audio.liveOutputs(), 0);
  EXPECT_GE(audio.outputsMade(), 1);
  EXPECT_LE(audio.outputsMade(), 20);
}

TEST(WavePlayer, withoutASoundDevice_staysSilentAndIdle) {
  SimulatedAudio audio;
  audio.setOutputPresent(false);
  WavePlayer player;
  player.play(kBeepFormat, QByteArray(100, 'x'));
  ASSERT_TRUE(player.waitIdle(5000));
  EXPECT_EQ(player.failedOpens(), 1);
  EXPECT_EQ(audio.liveOutputs(), 0);
}

TEST(WavePlayer, stop_cutsTheSoundShort_andReturnsItsBuffer) {
  SimulatedAudio audio;
  WavePlayer player;
  player.play(kBeepFormat, QByteArray(11025, 'x'));
  ASSERT_TRUE(WaitFor([&] { return OneBufferQueued(audio); }));
  player.stop();
  ASSERT_TRUE(player.waitIdle(5000));
  EXPECT_EQ(audio.liveOutputs(), 0);
}

TEST(WavePlayer, aDeviceThatNeverFinishes_releasesThePlayerAfterTheSoundsLength) {
  SimulatedAudio audio;
  WavePlayer player;
  // 100 ms of sound that the simulated device never plays.
  player.play(kBeepFormat, QByteArray(1102, 'x'));
  QElapsedTimer t;
  t.start();
  ASSERT_TRUE(player.waitIdle(10000));
  EXPECT_LT(t.elapsed(), 5000);
  EXPECT_EQ(audio.liveOutputs(), 0);
}

TEST(WavePlayer, emptyOrBadSounds_areIgnored) {
  SimulatedAudio audio;
  WavePlayer player;
  player.play(kBeepFormat, QByteArray());
  player.play(WaveFormat::Pcm(1, 11025, 12), QByteArray(10, 'x'));
  EXPECT_EQ(player.threadsStarted(), 0);
  EXPECT_TRUE(player.waitIdle(0));
}

TEST(PlayWaveBytes, sharedPlayer_playsAndShutsDown) {
  SimulatedAudio audio;
  PlayWaveBytes(kBeepFormat, QByteArray(64, 'b'));
  ASSERT_TRUE(WaitFor([&] { return OneBufferQueued(audio); }));
  audio.withLastOutput([](SimWaveOut* d) { d->playAll(); });
  ShutdownWavePlayback();
  EXPECT_EQ(audio.liveOutputs(), 0);
}

}  // namespace
}  // namespace orlane::audio
