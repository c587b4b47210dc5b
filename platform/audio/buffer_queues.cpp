#include "platform/audio/buffer_queues.h"

#include <algorithm>
#include <cstring>

namespace orlane::audio {

namespace {

void FlagDone(WaveBuffer* b) {
  b->flags = (b->flags | kBufferDone) & ~kBufferInQueue;
}

}  // namespace

WaveStatus TakeIntoQueue(WaveBuffer* buffer) {
  if (buffer == nullptr || buffer->data == nullptr) return WaveStatus::InvalidBuffer;
  if (!(buffer->flags & kBufferPrepared)) return WaveStatus::Unprepared;
  if (buffer->flags & kBufferInQueue) return WaveStatus::StillQueued;
  buffer->flags = (buffer->flags | kBufferInQueue) & ~kBufferDone;
  return WaveStatus::Ok;
}

void OutputQueue::push(WaveBuffer* buffer) {
  entries_.push_back({buffer, end_});
  end_ += buffer->length;
}

quint32 OutputQueue::copyPending(char* out, quint32 maxBytes) const {
  quint32 copied = 0;
  for (const Entry& e : entries_) {
    if (copied == maxBytes) break;
    const quint64 stop = e.start + e.buffer->length;
    const quint64 from = written_ + copied;
    if (from >= stop) continue;
    const quint64 offset = from - e.start;
    const quint32 n = static_cast<quint32>(std::min<quint64>(stop - from, maxBytes - copied));
    std::memcpy(out + copied, e.buffer->data + offset, n);
    copied += n;
  }
  return copied;
}

void OutputQueue::advanceWritten(quint64 bytes) {
  written_ = std::min(end_, written_ + bytes);
}

void OutputQueue::setPlayed(quint64 played) {
  played_ = std::clamp(played, played_, written_);
}

std::vector<WaveBuffer*> OutputQueue::markPlayed(quint64 played) {
  setPlayed(played);
  std::vector<WaveBuffer*> done;
  while (!entries_.empty()) {
    const Entry& e = entries_.front();
    if (e.start + e.buffer->length > played_) break;
    FlagDone(e.buffer);
    done.push_back(e.buffer);
    entries_.pop_front();
  }
  return done;
}

std::vector<WaveBuffer*> OutputQueue::takeAll() {
  std::vector<WaveBuffer*> done;
  for (const Entry& e : entries_) {
    FlagDone(e.buffer);
    done.push_back(e.buffer);
  }
  entries_.clear();
  end_ = written_ = played_ = 0;
  return done;
}

void InputQueue::push(WaveBuffer* buffer) {
  buffer->bytesRecorded = 0;
  entries_.push_back(buffer);
}

std::vector<WaveBuffer*> InputQueue::fill(const char* data, quint32 bytes, quint32* dropped) {
  std::vector<WaveBuffer*> full;
  quint32 used = 0;
  while (used < bytes && !entries_.empty()) {
    WaveBuffer* b = entries_.front();
    const quint32 n = std::min(bytes - used, b->length - b->bytesRecorded);
    std::memcpy(b->data + b->bytesRecorded, data + used, n);
    b->bytesRecorded += n;
    used += n;
    if (b->bytesRecorded == b->length) {
      FlagDone(b);
      full.push_back(b);
      entries_.pop_front();
    }
  }
  recorded_ += used;
  if (dropped != nullptr) *dropped = bytes - used;
  return full;
}

std::vector<WaveBuffer*> InputQueue::finishCurrent() {
  std::vector<WaveBuffer*> out;
  if (!entries_.empty() && entries_.front()->bytesRecorded > 0) {
    FlagDone(entries_.front());
    out.push_back(entries_.front());
    entries_.pop_front();
  }
  return out;
}

std::vector<WaveBuffer*> InputQueue::takeAll() {
  std::vector<WaveBuffer*> out(entries_.begin(), entries_.end());
  for (WaveBuffer* b : out) FlagDone(b);
  entries_.clear();
  recorded_ = 0;
  return out;
}

}  // namespace orlane::audio
