// The queue bookkeeping both kinds of device share.
#include "platform/audio/buffer_queues.h"
#include "platform/audio/wave_device.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace orlane::audio {
namespace {

struct Held {
  QByteArray bytes;
  WaveBuffer header;
  explicit Held(const QByteArray& b) : bytes(b) {
    header.data = bytes.data();
    header.length = static_cast<quint32>(bytes.size());
    PrepareBuffer(&header);
    TakeIntoQueue(&header);
  }
};

TEST(OutputQueue, copyPending_spansBuffers_andMarksDoneOnlyWhenPlayed) {
  Held a(QByteArray("abc")), b(QByteArray("defgh"));
  OutputQueue q;
  q.push(&a.header);
  q.push(&b.header);
  char out[16] = {};
  EXPECT_EQ(q.copyPending(out, 5), 5u);
  EXPECT_EQ(QByteArray(out, 5), QByteArray("abcde"));
  q.advanceWritten(5);
  EXPECT_EQ(q.pendingBytes(), 3u);
  EXPECT_EQ(q.copyPending(out, 16), 3u);
  EXPECT_EQ(QByteArray(out, 3), QByteArray("fgh"));

  EXPECT_TRUE(q.markPlayed(2).empty());
  auto done = q.markPlayed(3);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0], &a.header);
  EXPECT_TRUE(a.header.flags & kBufferDone);
  EXPECT_FALSE(a.header.flags & kBufferInQueue);
  // Played never passes written.
  EXPECT_TRUE(q.markPlayed(100).empty());
  EXPECT_EQ(q.played(), 5u);
}

TEST(OutputQueue, playedNeverGoesBack_andRewindResumesAtPlayed) {
  Held a(QByteArray(100, 'x'));
  OutputQueue q;
  q.push(&a.header);
  q.advanceWritten(80);
  q.markPlayed(50);
  q.markPlayed(20);
  EXPECT_EQ(q.played(), 50u);
  q.rewindToPlayed();
  EXPECT_EQ(q.written(), 50u);
  EXPECT_EQ(q.pendingBytes(), 50u);
}

TEST(OutputQueue, takeAll_returnsEverythingInOrder_andRestartsPosition) {
  Held a(QByteArray(10, 'a')), b(QByteArray(10, 'b'));
  OutputQueue q;
  q.push(&a.header);
  q.push(&b.header);
  q.advanceWritten(15);
  q.markPlayed(12);  // a done
  auto rest = q.takeAll();
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0], &b.header);
  EXPECT_EQ(q.played(), 0u);
  EXPECT_EQ(q.written(), 0u);
  Held c(QByteArray(4, 'c'));
  q.push(&c.header);
  q.advanceWritten(4);
  EXPECT_EQ(q.markPlayed(4).size(), 1u);
}

TEST(InputQueue, fill_completesBuffersInOrder_andDropsOverflow) {
  Held a(QByteArray(3, '\0')), b(QByteArray(4, '\0'));
  InputQueue q;
  q.push(&a.header);
  q.push(&b.header);
  quint32 dropped = 0;
  auto full = q.fill("12345", 5, &dropped);
  ASSERT_EQ(full.size(), 1u);
  EXPECT_EQ(a.bytes, QByteArray("123"));
  EXPECT_EQ(b.header.bytesRecorded, 2u);
  EXPECT_EQ(dropped, 0u);
  full = q.fill("6789", 4, &dropped);
  ASSERT_EQ(full.size(), 1u);
  EXPECT_EQ(b.bytes, QByteArray("4567"));
  EXPECT_EQ(dropped, 2u);
  EXPECT_EQ(q.recorded(), 7u);
}

TEST(InputQueue, finishCurrent_returnsOnlyAPartlyFilledBuffer) {
  Held a(QByteArray(4, '\0')), b(QByteArray(4, '\0'));
  InputQueue q;
  q.push(&a.header);
  q.push(&b.header);
  EXPECT_TRUE(q.finishCurrent().empty());
  q.fill("ab", 2);
  auto out = q.finishCurrent();
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0]->bytesRecorded, 2u);
  EXPECT_EQ(q.size(), 1u);
  EXPECT_EQ(q.takeAll().size(), 1u);
  EXPECT_EQ(q.recorded(), 0u);
}

TEST(BufferFlags, prepareAndQueueRules) {
  WaveBuffer empty;
  EXPECT_EQ(PrepareBuffer(&empty), WaveStatus::InvalidBuffer);
  EXPECT_EQ(PrepareBuffer(nullptr), WaveStatus::InvalidBuffer);
  char bytes[4];
  WaveBuffer b{bytes, 4};
  EXPECT_EQ(TakeIntoQueue(&b), WaveStatus::Unprepared);
  EXPECT_EQ(PrepareBuffer(&b), WaveStatus::Ok);
  EXPECT_EQ(TakeIntoQueue(&b), WaveStatus::Ok);
  EXPECT_EQ(TakeIntoQueue(&b), WaveStatus::StillQueued);
  EXPECT_EQ(UnprepareBuffer(&b), WaveStatus::StillQueued);
  EXPECT_EQ(PrepareBuffer(&b), WaveStatus::StillQueued);
}

TEST(WaveFormat, pcmDerivesFields_andPlayableRangeIsChecked) {
  const WaveFormat f = WaveFormat::Pcm(2, 22050, 16);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.avgBytesPerSec, 88200u);
  EXPECT_TRUE(IsPlayableFormat(f));
  EXPECT_TRUE(IsPlayableFormat(WaveFormat{}));  // the recorder's 8000 Hz 8-bit mono
  WaveFormat bad = f;
  bad.blockAlign = 3;
  EXPECT_FALSE(IsPlayableFormat(bad));
  EXPECT_FALSE(IsPlayableFormat(WaveFormat::Pcm(0, 8000, 8)));
  EXPECT_FALSE(IsPlayableFormat(WaveFormat::Pcm(1, 8000, 12)));
  EXPECT_FALSE(IsPlayableFormat(WaveFormat::Pcm(1, 10, 8)));
  bad = f;
  bad.formatTag = 3;
  EXPECT_FALSE(IsPlayableFormat(bad));
  EXPECT_EQ(BytesToFrames(f, 4410), 1102u);
}

}  // namespace
}  // namespace orlane::audio
