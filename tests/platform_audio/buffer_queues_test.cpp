// The queue bookkeeping both kinds of device share.
#include "platform/audio/buffer_queues.h"
#include "platform/audio/wave_device.h"

#include <gtest/gtest.h>

#include "support/random_bytes.h"

#include <QByteArray>

#include <deque>
#include <memory>

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

// Random pushes, writes, plays, rewinds and resets against a plain model:
// buffers come back once each, in queue order, and the bytes handed to the
// device are the queued bytes in order.
TEST(OutputQueue, randomOperations_keepOrderContentAndCounts) {
  test::RandomBytes rnd(20261208);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::unique_ptr<Held>> held;
    std::deque<WaveBuffer*> model;
    QByteArray stream, handed;
    OutputQueue q;
    for (int step = 0; step < 200; ++step) {
      switch (rnd.next() % 6) {
        case 0:
        case 1: {
          QByteArray bytes = rnd.bytes(64);
          if (bytes.isEmpty()) bytes = "z";
          held.push_back(std::make_unique<Held>(bytes));
          q.push(&held.back()->header);
          model.push_back(&held.back()->header);
          stream += bytes;
          break;
        }
        case 2: {
          char out[80];
          const quint32 n = q.copyPending(out, rnd.next() % 80);
          ASSERT_EQ(QByteArray(out, n), stream.mid(static_cast<qsizetype>(q.written()), n));
          q.advanceWritten(n);
          handed += QByteArray(out, n);
          break;
        }
        case 3: {
          const quint64 target = q.played() + rnd.next() % 100;
          for (WaveBuffer* b : q.markPlayed(target)) {
            ASSERT_FALSE(model.empty());
            ASSERT_EQ(b, model.front());
            ASSERT_TRUE(b->flags & kBufferDone);
            model.pop_front();
          }
          break;
        }
        case 4:
          q.rewindToPlayed();
          handed.truncate(static_cast<qsizetype>(q.played()));
          break;
        default:
          if (rnd.next() % 8 == 0) {
            const auto all = q.takeAll();
            ASSERT_EQ(all.size(), model.size());
            for (std::size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], model[i]);
            model.clear();
            stream.clear();
            handed.clear();
          }
      }
      ASSERT_LE(q.played(), q.written());
      ASSERT_EQ(q.size(), model.size());
      ASSERT_EQ(q.pendingBytes(), static_cast<quint64>(stream.size()) - q.written());
      ASSERT_EQ(handed, stream.left(static_cast<qsizetype>(q.written())));
    }
  }
}

TEST(InputQueue, randomFills_returnFullBuffersInOrder_withTheBytesInOrder) {
  test::RandomBytes rnd(7);
  std::vector<std::unique_ptr<Held>> held;
  InputQueue q;
  QByteArray fed, stored;
  quint64 droppedTotal = 0;
  for (int step = 0; step < 2000; ++step) {
    if (rnd.next() % 3 == 0) {
      held.push_back(std::make_unique<Held>(QByteArray(static_cast<int>(1 + rnd.next() % 50), '\0')));
      q.push(&held.back()->header);
    } else {
      const QByteArray data = rnd.bytes(120);
      quint32 dropped = 0;
      for (WaveBuffer* b : q.fill(data.constData(), static_cast<quint32>(data.size()), &dropped)) {
        ASSERT_EQ(b->bytesRecorded, b->length);
        stored.append(b->data, b->length);
      }
      fed += data.left(data.size() - static_cast<qsizetype>(dropped));
      droppedTotal += dropped;
    }
  }
  for (WaveBuffer* b : q.finishCurrent()) stored.append(b->data, b->bytesRecorded);
  EXPECT_EQ(stored, fed);
  EXPECT_EQ(q.recorded(), static_cast<quint64>(fed.size()));
  EXPECT_GT(droppedTotal, 0u);
}

}  // namespace
}  // namespace orlane::audio
