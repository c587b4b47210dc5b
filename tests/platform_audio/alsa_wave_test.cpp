// The ALSA devices against a real libasound, headless: the file plugin over a
// null device stands for the sound card.
#include "platform/audio/alsa_wave_in.h"
#include "platform/audio/alsa_wave_out.h"
#include "platform/audio/wave_player.h"
#include "platform_audio/alsa_test_config.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace orlane::audio {
namespace {

using test::AlsaTestConfig;

QByteArray Ramp(int n) {
  QByteArray b(n, '\0');
  for (int i = 0; i < n; ++i) b[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
  return b;
}

// Waits up to ms for cond, letting the device thread run.
template <typename F>
bool WaitFor(F cond, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!cond()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(2);
  }
  return true;
}

struct DoneLog {
  std::mutex mutex;
  std::vector<WaveBuffer*> done;
  std::vector<std::thread::id> threads;
  WaveDoneCallback callback() {
    return [this](WaveBuffer* b) {
      std::lock_guard<std::mutex> lock(mutex);
      done.push_back(b);
      threads.push_back(std::this_thread::get_id());
    };
  }
  std::size_t count() {
    std::lock_guard<std::mutex> lock(mutex);
    return done.size();
  }
};

TEST(AlsaWaveOut, playedBuffers_landInOutputFileInOrder_doneOnDeviceThread) {
  AlsaTestConfig config;
  const WaveFormat format = WaveFormat::Pcm(1, 11025, 8);
  QByteArray first = Ramp(5000), second = Ramp(3001).toBase64().left(3001);
  DoneLog log;
  {
    AlsaWaveOut out;
    ASSERT_EQ(out.open(format, log.callback()), WaveStatus::Ok);
    WaveBuffer a{first.data(), static_cast<quint32>(first.size())};
    WaveBuffer b{second.data(), static_cast<quint32>(second.size())};
    ASSERT_EQ(PrepareBuffer(&a), WaveStatus::Ok);
    ASSERT_EQ(PrepareBuffer(&b), WaveStatus::Ok);
    ASSERT_EQ(out.write(&a), WaveStatus::Ok);
    ASSERT_EQ(out.write(&b), WaveStatus::Ok);
    ASSERT_TRUE(WaitFor([&] { return log.count() == 2; }));
    EXPECT_EQ(log.done[0], &a);
    EXPECT_EQ(log.done[1], &b);
    EXPECT_NE(log.threads[0], std::this_thread::get_id());
    EXPECT_TRUE(a.flags & kBufferDone);
    EXPECT_FALSE(a.flags & kBufferInQueue);
    quint64 pos = 0;
    ASSERT_EQ(out.positionBytes(&pos), WaveStatus::Ok);
    EXPECT_EQ(pos, 8001u);
    EXPECT_EQ(out.close(), WaveStatus::Ok);
  }
  EXPECT_EQ(config.played(), first + second);
}

TEST(AlsaWaveOut, sixteenBitStereo_bytesArriveUnchanged) {
  AlsaTestConfig config;
  const QByteArray sound = Ramp(4 * 2205);
  DoneLog log;
  AlsaWaveOut out;
  ASSERT_EQ(out.open(WaveFormat::Pcm(2, 22050, 16), log.callback()), WaveStatus::Ok);
  QByteArray copy = sound;
  WaveBuffer a{copy.data(), static_cast<quint32>(copy.size())};
  PrepareBuffer(&a);
  ASSERT_EQ(out.write(&a), WaveStatus::Ok);
  ASSERT_TRUE(WaitFor([&] { return log.count() == 1; }));
  out.close();
  EXPECT_EQ(config.played(), sound);
}

TEST(AlsaWaveOut, resetReturnsQueuedBuffers_beforeItReturns_andPositionRestarts) {
  AlsaTestConfig config;
  DoneLog log;
  AlsaWaveOut out;
  ASSERT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8), log.callback()), WaveStatus::Ok);
  ASSERT_EQ(out.pause(), WaveStatus::Ok);
  QByteArray s1 = Ramp(1000), s2 = Ramp(2000);
  WaveBuffer a{s1.data(), 1000}, b{s2.data(), 2000};
  PrepareBuffer(&a);
  PrepareBuffer(&b);
  out.write(&a);
  out.write(&b);
  ASSERT_EQ(out.reset(), WaveStatus::Ok);
  EXPECT_EQ(log.count(), 2u);
  EXPECT_EQ(UnprepareBuffer(&a), WaveStatus::Ok);
  quint64 pos = 99;
  out.positionBytes(&pos);
  EXPECT_EQ(pos, 0u);
}

TEST(AlsaWaveOut, pausedDevice_holdsItsBuffer_untilRestart) {
  AlsaTestConfig config;
  DoneLog log;
  AlsaWaveOut out;
  ASSERT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8), log.callback()), WaveStatus::Ok);
  out.pause();
  QByteArray s = Ramp(4000);
  WaveBuffer a{s.data(), 4000};
  PrepareBuffer(&a);
  out.write(&a);
  QThread::msleep(100);
  EXPECT_EQ(log.count(), 0u);
  EXPECT_EQ(UnprepareBuffer(&a), WaveStatus::StillQueued);
  out.restart();
  ASSERT_TRUE(WaitFor([&] { return log.count() == 1; }));
  out.close();
  EXPECT_EQ(config.played(), s);
}

TEST(AlsaWaveOut, callbackMayQueueTheNextBuffer) {
  AlsaTestConfig config;
  QByteArray s = Ramp(800);
  WaveBuffer a{s.data(), 800};
  std::atomic<int> rounds{0};
  AlsaWaveOut out;
  ASSERT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8),
                     [&](WaveBuffer* b) {
                       if (++rounds < 3) out.write(b);
                     }),
            WaveStatus::Ok);
  PrepareBuffer(&a);
  out.write(&a);
  ASSERT_TRUE(WaitFor([&] { return rounds == 3; }));
  out.close();
  EXPECT_EQ(config.played(), s + s + s);
}

TEST(AlsaWaveOut, refusesBadCallsAndFormats) {
  AlsaTestConfig config;
  AlsaWaveOut out;
  WaveBuffer a;
  EXPECT_EQ(out.write(&a), WaveStatus::NotOpen);
  EXPECT_EQ(out.close(), WaveStatus::NotOpen);
  WaveFormat odd = WaveFormat::Pcm(1, 8000, 12);
  EXPECT_EQ(out.open(odd, {}), WaveStatus::BadFormat);
  ASSERT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8), {}), WaveStatus::Ok);
  EXPECT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8), {}), WaveStatus::AlreadyOpen);
  EXPECT_EQ(out.write(nullptr), WaveStatus::InvalidBuffer);
  QByteArray s(10, 'x');
  WaveBuffer b{s.data(), 10};
  EXPECT_EQ(out.write(&b), WaveStatus::Unprepared);
}

TEST(AlsaWaveOut, noSoundDevice_openFailsCleanly) {
  AlsaTestConfig config;
  qputenv("ORLANE_ALSA_PCM", "orlane_no_such_device");
  AlsaWaveOut out;
  AlsaWaveIn in;
  EXPECT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8), {}), WaveStatus::NoDevice);
  EXPECT_EQ(in.open(WaveFormat::Pcm(1, 8000, 8), {}), WaveStatus::NoDevice);
  EXPECT_FALSE(out.isOpen());
  qunsetenv("ORLANE_ALSA_PCM");
}

TEST(AlsaWaveIn, recordsThePreparedInputFile_intoBuffersInOrder) {
  const QByteArray captured = Ramp(3 * 2666);
  AlsaTestConfig config(captured);
  QByteArray memory(8000 * 4, '\0');
  WaveBuffer headers[3];
  DoneLog log;
  AlsaWaveIn in;
  ASSERT_EQ(in.open(WaveFormat::Pcm(1, 8000, 8), log.callback()), WaveStatus::Ok);
  for (int i = 0; i < 3; ++i) {
    headers[i].data = memory.data() + i * 2666;
    headers[i].length = 2666;
    ASSERT_EQ(PrepareBuffer(&headers[i]), WaveStatus::Ok);
    ASSERT_EQ(in.addBuffer(&headers[i]), WaveStatus::Ok);
  }
  ASSERT_EQ(in.start(), WaveStatus::Ok);
  ASSERT_TRUE(WaitFor([&] { return log.count() == 3; }));
  EXPECT_EQ(log.done[0], &headers[0]);
  EXPECT_EQ(log.done[2], &headers[2]);
  EXPECT_NE(log.threads[0], std::this_thread::get_id());
  EXPECT_EQ(headers[2].bytesRecorded, 2666u);
  EXPECT_EQ(memory.left(3 * 2666), captured);
  in.stop();
  EXPECT_EQ(in.close(), WaveStatus::Ok);
}

TEST(AlsaWaveIn, resetReturnsEmptyBuffers_andCloseJoins) {
  AlsaTestConfig config;
  QByteArray memory(1000, '\0');
  WaveBuffer h{memory.data(), 1000};
  DoneLog log;
  AlsaWaveIn in;
  ASSERT_EQ(in.open(WaveFormat::Pcm(1, 8000, 8), log.callback()), WaveStatus::Ok);
  PrepareBuffer(&h);
  in.addBuffer(&h);
  ASSERT_EQ(in.reset(), WaveStatus::Ok);
  EXPECT_EQ(log.count(), 1u);
  EXPECT_EQ(h.bytesRecorded, 0u);
  EXPECT_EQ(in.close(), WaveStatus::Ok);
  EXPECT_FALSE(in.isOpen());
}

TEST(AlsaWaveIn, recorderFlow_requeuedBuffersThenDrain_storeTheInputFileInOrder) {
  const int n = 3, length = 2666;
  const QByteArray captured = Ramp(12 * length);
  AlsaTestConfig config(captured);
  QByteArray memory(8000 * 4, '\0');
  std::vector<WaveBuffer> headers(n);
  QByteArray stored;
  int returned = 0, afterStop = 0;
  std::atomic<bool> drained{false};
  AlsaWaveIn in;
  ASSERT_EQ(in.open(WaveFormat::Pcm(1, 8000, 8),
                    [&](WaveBuffer* b) {
                      stored.append(b->data, b->length);
                      UnprepareBuffer(b);
                      if (++returned <= 6) {  // recording: queue it again
                        PrepareBuffer(b);
                        in.addBuffer(b);
                      } else if (afterStop == n - 1) {
                        drained = true;
                      } else {
                        ++afterStop;
                      }
                    }),
            WaveStatus::Ok);
  for (int i = 0; i < n; ++i) {
    headers[i].data = memory.data() + i * length;
    headers[i].length = length;
    PrepareBuffer(&headers[i]);
    ASSERT_EQ(in.addBuffer(&headers[i]), WaveStatus::Ok);
  }
  ASSERT_EQ(in.start(), WaveStatus::Ok);
  ASSERT_TRUE(WaitFor([&] { return drained.load(); }));
  EXPECT_EQ(in.stop(), WaveStatus::Ok);
  EXPECT_EQ(in.close(), WaveStatus::Ok);
  EXPECT_EQ(returned, 9);
  EXPECT_EQ(stored, captured.left(9 * length));
}

TEST(AlsaWaveOut, manyOpensAndCloses_joinEveryThread_withoutHanging) {
  AlsaTestConfig config;
  QElapsedTimer t;
  t.start();
  QByteArray expected;
  for (int i = 0; i < 25; ++i) {
    AlsaWaveOut out;
    ASSERT_EQ(out.open(WaveFormat::Pcm(1, 11025, 8), {}), WaveStatus::Ok);
    QByteArray s = Ramp(100 + i);
    WaveBuffer b{s.data(), static_cast<quint32>(s.size())};
    PrepareBuffer(&b);
    out.write(&b);
    if (i % 2 == 0) out.pause();  // closed with its buffer still queued
    EXPECT_EQ(out.close(), WaveStatus::Ok);
    EXPECT_FALSE(b.flags & kBufferInQueue);
  }
  EXPECT_LT(t.elapsed(), 20000);
}

TEST(AlsaWaveOut, seekFlow_resetThenNewHeader_playsTheRestAndEndsOnce) {
  AlsaTestConfig config;
  QByteArray sound = Ramp(6000);
  std::atomic<bool> seeking{false};
  std::atomic<int> ends{0};
  AlsaWaveOut out;
  ASSERT_EQ(out.open(WaveFormat::Pcm(1, 8000, 8),
                     [&](WaveBuffer*) {
                       if (!seeking) ++ends;
                     }),
            WaveStatus::Ok);
  out.pause();
  WaveBuffer header{sound.data(), 6000};
  PrepareBuffer(&header);
  out.write(&header);
  seeking = true;
  out.reset();
  UnprepareBuffer(&header);
  header.data = sound.data() + 2000;
  header.length = 4000;
  PrepareBuffer(&header);
  seeking = false;
  out.write(&header);
  out.restart();
  ASSERT_TRUE(WaitFor([&] { return ends.load() == 1; }));
  quint64 pos = 0;
  out.positionBytes(&pos);
  EXPECT_EQ(pos, 4000u);
  out.close();
  EXPECT_EQ(ends.load(), 1);
  EXPECT_EQ(config.played(), sound.mid(2000));
}

TEST(WavePlayerOnAlsa, beepLandsInTheOutputFile_andNoDeviceStaysSilent) {
  AlsaTestConfig config;
  const QByteArray beep = Ramp(5512);
  {
    WavePlayer player;
    player.play(WaveFormat::Pcm(1, 11025, 8), beep);
    ASSERT_TRUE(player.waitIdle(10000));
    EXPECT_EQ(player.failedOpens(), 0);
  }
  EXPECT_EQ(config.played(), beep);

  qputenv("ORLANE_ALSA_PCM", "orlane_no_such_device");
  WavePlayer silent;
  silent.play(WaveFormat::Pcm(1, 11025, 8), beep);
  EXPECT_TRUE(silent.waitIdle(10000));
  EXPECT_EQ(silent.failedOpens(), 1);
  qunsetenv("ORLANE_ALSA_PCM");
}

TEST(AlsaWaveIn, inputShorterThanTheRecording_isFollowedBySilence) {
  const QByteArray captured = Ramp(1000);
  AlsaTestConfig config(captured);
  for (quint16 bits : {quint16(8), quint16(16)}) {
    QByteArray memory(4000, 'Z');
    WaveBuffer b{memory.data(), 4000};
    std::atomic<int> done{0};
    AlsaWaveIn in;
    ASSERT_EQ(in.open(WaveFormat::Pcm(1, 8000, bits), [&](WaveBuffer*) { ++done; }), WaveStatus::Ok);
    PrepareBuffer(&b);
    in.addBuffer(&b);
    in.start();
    ASSERT_TRUE(WaitFor([&] { return done.load() == 1; }));
    in.close();
    EXPECT_EQ(memory.left(1000), captured) << bits;
    const char silence = bits == 8 ? '\x80' : '\0';
    EXPECT_EQ(memory.mid(1000), QByteArray(3000, silence)) << bits;
  }
}

}  // namespace
}  // namespace orlane::audio
