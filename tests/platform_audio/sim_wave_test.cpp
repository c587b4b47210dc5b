// The simulated devices through the interfaces, in the ways the recorder and
// the player use a device: N input buffers re-queued from the callback and
// drained at stop, one output header replaced on every seek.
#include "platform/audio/alsa_wave_out.h"
#include "platform/audio/sim_wave_devices.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlane::audio {
namespace {

QByteArray Pattern(int n, int seed) {
  QByteArray b(n, '\0');
  for (int i = 0; i < n; ++i) b[i] = static_cast<char>((i * 13 + seed) & 0xff);
  return b;
}

TEST(SimWaveIn, recorderFlow_requeuesWhileRecording_thenDrainsAllBuffersAfterStop) {
  SimulatedAudio audio;
  std::unique_ptr<WaveIn> in = CreateWaveIn();
  const int n = 3, length = 8000 / n;  // 2666 bytes each
  QByteArray memory(8000 * 4, '\0');
  std::vector<WaveBuffer> headers(n);
  QByteArray stored;  // what the callback appends, like the temp file
  bool recording = true;
  int returnedAfterStop = 0;
  bool drained = false;
  ASSERT_EQ(in->open(WaveFormat::Pcm(1, 8000, 8),
                     [&](WaveBuffer* b) {
                       stored.append(b->data, b->length);
                       UnprepareBuffer(b);
                       if (recording) {
                         PrepareBuffer(b);
                         in->addBuffer(b);
                       } else if (returnedAfterStop == n - 1) {
                         drained = true;
                       } else {
                         ++returnedAfterStop;
                       }
                     }),
            WaveStatus::Ok);
  for (int i = 0; i < n; ++i) {
    headers[i].data = memory.data() + i * length;
    headers[i].length = length;
    ASSERT_EQ(PrepareBuffer(&headers[i]), WaveStatus::Ok);
    ASSERT_EQ(in->addBuffer(&headers[i]), WaveStatus::Ok);
  }
  ASSERT_EQ(in->start(), WaveStatus::Ok);
  SimWaveIn* device = audio.lastInput();
  ASSERT_NE(device, nullptr);

  // Samples arrive a period at a time; each returned buffer is queued again
  // before the next period comes.
  const QByteArray before = Pattern(length * 4, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(device->feed(before.mid(i * length, length)), static_cast<quint32>(length));
  EXPECT_EQ(stored, before);
  EXPECT_EQ(device->queuedCount(), 3u);

  recording = false;  // Stop: the queued buffers still fill, none is re-queued
  const QByteArray after = Pattern(length * 5, 2);
  quint32 taken = 0;
  for (int i = 0; i < 5; ++i) taken += device->feed(after.mid(i * length, length));
  EXPECT_EQ(taken, static_cast<quint32>(length * 3));
  EXPECT_TRUE(drained);
  EXPECT_EQ(stored, before + after.left(length * 3));
  EXPECT_EQ(device->queuedCount(), 0u);
  quint64 pos = 0;
  in->positionBytes(&pos);
  EXPECT_EQ(pos, static_cast<quint64>(length * 7));
  EXPECT_EQ(in->stop(), WaveStatus::Ok);
  EXPECT_EQ(in->close(), WaveStatus::Ok);
  EXPECT_EQ(device->calls().first(), QStringLiteral("open"));
  EXPECT_EQ(device->calls().last(), QStringLiteral("close"));
}

TEST(SimWaveIn, samplesBeforeStart_areLost_andStopReturnsThePartBuffer) {
  SimWaveIn in;
  std::vector<WaveBuffer*> done;
  ASSERT_EQ(in.open(WaveFormat::Pcm(1, 8000, 16), [&](WaveBuffer* b) { done.push_back(b); }), WaveStatus::Ok);
  QByteArray memory(100, '\0');
  WaveBuffer a{memory.data(), 50}, b{memory.data() + 50, 50};
  PrepareBuffer(&a);
  PrepareBuffer(&b);
  in.addBuffer(&a);
  in.addBuffer(&b);
  EXPECT_EQ(in.feed(Pattern(20, 0)), 0u);
  in.start();
  EXPECT_EQ(in.feed(Pattern(60, 0)), 60u);
  ASSERT_EQ(done.size(), 1u);
  in.stop();
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[1]->bytesRecorded, 10u);
  EXPECT_EQ(in.feed(Pattern(10, 0)), 0u);
}

TEST(SimWaveIn, closeWithQueuedBuffers_returnsThemFirst) {
  SimWaveIn in;
  int returned = 0;
  in.open(WaveFormat{}, [&](WaveBuffer*) { ++returned; });
  QByteArray memory(30, '\0');
  WaveBuffer a{memory.data(), 10}, b{memory.data() + 10, 10};
  PrepareBuffer(&a);
  PrepareBuffer(&b);
  in.addBuffer(&a);
  in.addBuffer(&b);
  EXPECT_EQ(in.close(), WaveStatus::Ok);
  EXPECT_EQ(returned, 2);
  EXPECT_EQ(UnprepareBuffer(&a), WaveStatus::Ok);
}

TEST(SimWaveIn, injectedAddAndStartFailures) {
  SimWaveIn in;
  in.open(WaveFormat{}, {});
  QByteArray memory(10, '\0');
  WaveBuffer a{memory.data(), 10};
  PrepareBuffer(&a);
  in.failAdds(1);
  EXPECT_EQ(in.addBuffer(&a), WaveStatus::DeviceError);
  EXPECT_EQ(in.addBuffer(&a), WaveStatus::Ok);
  in.failStarts(1);
  EXPECT_EQ(in.start(), WaveStatus::DeviceError);
  EXPECT_EQ(in.start(), WaveStatus::Ok);
}

TEST(SimWaveOut, playerFlow_pausePositionSeekAndEnd) {
  SimulatedAudio audio;
  std::unique_ptr<WaveOut> out = CreateWaveOut();
  QByteArray sound = Pattern(1000, 5);
  bool seeking = false;
  int ends = 0;
  ASSERT_EQ(out->open(WaveFormat::Pcm(1, 8000, 8),
                      [&](WaveBuffer*) {
                        if (!seeking) ++ends;
                      }),
            WaveStatus::Ok);
  SimWaveOut* device = audio.lastOutput();
  ASSERT_NE(device, nullptr);
  WaveBuffer header{sound.data(), 1000};
  PrepareBuffer(&header);
  ASSERT_EQ(out->write(&header), WaveStatus::Ok);

  EXPECT_EQ(device->play(300), 300u);
  quint64 pos = 0;
  out->positionBytes(&pos);
  EXPECT_EQ(pos, 300u);
  out->pause();
  EXPECT_EQ(device->play(100), 0u);  // nothing moves while paused
  out->positionBytes(&pos);
  EXPECT_EQ(pos, 300u);

  // Seek to 600: reset, a new header over the rest, paused again.
  seeking = true;
  ASSERT_EQ(out->reset(), WaveStatus::Ok);
  EXPECT_EQ(header.flags & kBufferDone, kBufferDone);
  ASSERT_EQ(UnprepareBuffer(&header), WaveStatus::Ok);
  header.data = sound.data() + 600;
  header.length = 400;
  PrepareBuffer(&header);
  seeking = false;
  out->write(&header);
  EXPECT_TRUE(device->paused());  // reset keeps a paused device paused
  out->positionBytes(&pos);
  EXPECT_EQ(pos, 0u);
  out->restart();
  EXPECT_EQ(device->playAll(), 400u);
  EXPECT_EQ(ends, 1);
  out->positionBytes(&pos);
  EXPECT_EQ(pos, 400u);  // equals the header length: played to its end
  EXPECT_EQ(device->playedBytes(), sound.left(300) + sound.mid(600));
  EXPECT_EQ(device->calls(), QStringList({"open", "write 1000", "pause", "reset", "write 400", "restart"}));
}

TEST(SimWaveOut, buffersCompleteInQueueOrder_andMayBeRequeuedFromTheCallback) {
  SimWaveOut out;
  QByteArray a = Pattern(10, 1), b = Pattern(20, 2);
  WaveBuffer ha{a.data(), 10}, hb{b.data(), 20};
  std::vector<WaveBuffer*> order;
  int again = 0;
  out.open(WaveFormat{}, [&](WaveBuffer* x) {
    order.push_back(x);
    if (x == &ha && again++ == 0) out.write(x);
  });
  PrepareBuffer(&ha);
  PrepareBuffer(&hb);
  out.write(&ha);
  out.write(&hb);
  out.play(25);
  ASSERT_EQ(order.size(), 1u);
  out.playAll();
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], &ha);
  EXPECT_EQ(order[1], &hb);
  EXPECT_EQ(order[2], &ha);
  EXPECT_EQ(out.playedBytes(), a + b + a);
}

TEST(SimulatedAudio, noDevice_andFailingOpens_areReported) {
  SimulatedAudio audio;
  audio.setOutputPresent(false);
  EXPECT_EQ(CreateWaveOut()->open(WaveFormat{}, {}), WaveStatus::NoDevice);
  audio.setOutputPresent(true);
  audio.failOutputOpens(2);
  auto out = CreateWaveOut();
  EXPECT_EQ(out->open(WaveFormat{}, {}), WaveStatus::NoDevice);
  EXPECT_EQ(out->open(WaveFormat{}, {}), WaveStatus::NoDevice);
  EXPECT_EQ(out->open(WaveFormat{}, {}), WaveStatus::Ok);
  EXPECT_EQ(audio.outputOpens(), 4);
  audio.setInputPresent(false);
  EXPECT_EQ(CreateWaveIn()->open(WaveFormat{}, {}), WaveStatus::NoDevice);
  EXPECT_EQ(CreateWaveOut()->open(WaveFormat::Pcm(1, 8000, 12), {}), WaveStatus::BadFormat);
}

TEST(SimulatedAudio, findsLiveDevices_andForgetsDestroyedOnes) {
  SimulatedAudio audio;
  EXPECT_EQ(audio.lastOutput(), nullptr);
  {
    auto out = CreateWaveOut();
    EXPECT_EQ(audio.lastOutput(), out.get());
    EXPECT_EQ(audio.liveOutputs(), 1);
  }
  EXPECT_EQ(audio.lastOutput(), nullptr);
  EXPECT_EQ(audio.outputsMade(), 1);
  auto in = CreateWaveIn();
  EXPECT_EQ(audio.lastInput(), in.get());
  EXPECT_EQ(audio.inputsMade(), 1);
}

TEST(SimulatedAudio, afterItGoes_theFactoryMakesAlsaDevicesAgain) {
  {
    SimulatedAudio audio;
    EXPECT_TRUE(WaveDeviceFactoryInstalled());
  }
  EXPECT_FALSE(WaveDeviceFactoryInstalled());
  auto out = CreateWaveOut();
  EXPECT_NE(dynamic_cast<AlsaWaveOut*>(out.get()), nullptr);
}

TEST(SimWaveOut, callsOnAClosedDevice_areRefused) {
  SimWaveOut out;
  quint64 pos = 0;
  EXPECT_EQ(out.pause(), WaveStatus::NotOpen);
  EXPECT_EQ(out.restart(), WaveStatus::NotOpen);
  EXPECT_EQ(out.reset(), WaveStatus::NotOpen);
  EXPECT_EQ(out.positionBytes(&pos), WaveStatus::NotOpen);
  EXPECT_EQ(out.close(), WaveStatus::NotOpen);
  EXPECT_EQ(out.play(10), 0u);
}

}  // namespace
}  // namespace orlane::audio
