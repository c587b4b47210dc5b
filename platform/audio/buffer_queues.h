// Bookkeeping of the buffers queued on one device, shared by the ALSA and
// the simulated devices: which bytes are still to be handed to the sound
// device, how far playback or recording has come, and which buffers are
// finished. Not thread-safe: the device guards it with its own lock.
#pragma once

#include "platform/audio/wave_types.h"

#include <deque>
#include <vector>

namespace orlane::audio {

// Output: a stream of the queued buffers one after another. Bytes go from
// queued to written (handed to the device) to played; a buffer is done when
// all its bytes have been played.
class OutputQueue final {
 public:
  void push(WaveBuffer* buffer);
  // Copies up to maxBytes not yet written, across buffer boundaries.
  quint32 copyPending(char* out, quint32 maxBytes) const;
  quint64 pendingBytes() const { return end_ - written_; }
  void advanceWritten(quint64 bytes);
  // Played bytes never pass the written ones; returns the buffers that
  // became done, in queue order, already flagged.
  std::vector<WaveBuffer*> markPlayed(quint64 played);
  // Moves the played point only; the buffers it finishes come back with the
  // next markPlayed.
  void setPlayed(quint64 played);
  // After the device dropped what it held, writing resumes at the played point.
  void rewindToPlayed() { written_ = played_; }
  // Everything back, flagged done; the stream position restarts at 0.
  std::vector<WaveBuffer*> takeAll();

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  quint64 written() const { return written_; }
  quint64 played() const { return played_; }

 private:
  struct Entry {
    WaveBuffer* buffer;
    quint64 start;  // stream offset of its first byte
  };
  std::deque<Entry> entries_;
  quint64 end_ = 0;
  quint64 written_ = 0;
  quint64 played_ = 0;
};

// Input: recorded bytes fill the queued buffers in order.
class InputQueue final {
 public:
  void push(WaveBuffer* buffer);
  // Fills from data; returns the buffers that became full. Bytes beyond the
  // queued space are dropped (and counted in *dropped when given).
  std::vector<WaveBuffer*> fill(const char* data, quint32 bytes, quint32* dropped = nullptr);
  // The current buffer, if it holds any bytes, returned partly filled.
  std::vector<WaveBuffer*> finishCurrent();
  std::vector<WaveBuffer*> takeAll();

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  quint64 recorded() const { return recorded_; }

 private:
  std::deque<WaveBuffer*> entries_;
  quint64 recorded_ = 0;
};

// Checks that a buffer may be queued and flags it queued.
WaveStatus TakeIntoQueue(WaveBuffer* buffer);

}  // namespace orlane::audio
