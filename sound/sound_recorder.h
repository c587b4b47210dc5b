// The wave input pipeline of the sound view: the record memory, the N input
// buffers queued on the wave input, and the device callback that appends each
// returned buffer to the recording temp file and re-queues it while the
// engine is recording. Once the engine's state is Stopped the callback keeps
// every buffer that comes back; stopping waits (bounded) until all of them
// have come back, then closes the device.
//
// Threads: Start and Stop run on the engine's thread; the callback runs on
// the device's thread. They share the engine's state, the count of buffers
// the device still holds and the drained flag, all atomics; no lock.
#pragma once

#include "platform/audio/wave_device.h"
#include "sound/recorder_math.h"

#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace orlane {

class SoundRecorder final {
 public:
  struct Events {
    // A recorded buffer came back while recording (device thread).
    std::function<void(InputLevel)> level;
    // The temp file grew (device thread).
    std::function<void()> stored;
  };

  SoundRecorder(const std::atomic<int>& state, Events events);
  ~SoundRecorder();
  SoundRecorder(const SoundRecorder&) = delete;
  SoundRecorder& operator=(const SoundRecorder&) = delete;

  // Opens the wave input (tried kOpenAttempts times), queues the N buffers
  // and starts. 1 started, 0 failed (nothing left queued, input closed).
  int Start(const WaveFormat& format, const QString& tempPath);

  enum class StopResult { NotRecording, Stopped, TimedOut };
  // StopRecording: waits until the buffers have come back, for at most the
  // drain timeout, calling idle() every few milliseconds; then stops and
  // closes the device (which returns any buffer it still held) and frees
  // the record memory. The engine's state must already be Stopped.
  StopResult Stop(const std::function<void()>& idle);
  // Closes the device at once (buffers it held are stored as far as they
  // were filled) and frees the record memory.
  void Abort();

  void SetDrainTimeout(int ms) { drainTimeoutMs_ = ms; }
  bool InputOpen() const { return input_ != nullptr; }
  bool HasMemory() const { return !memory_.empty(); }
  bool Drained() const { return drained_.load(); }
  int BufferCount() const { return count_; }
  quint32 BufferBytes() const { return count_ > 0 ? headers_[0].length : 0; }
  // Seconds already in the temp file when the last buffer was appended.
  float RecordedSeconds() const { return recordedSeconds_.load(); }

  static constexpr int kOpenAttempts = 3;
  static constexpr int kDefaultDrainTimeoutMs = 3000;

 private:
  void OnBufferDone(audio::WaveBuffer* buffer);
  // One buffer fewer held by the device; the last one sets the drained flag.
  void Release();
  void Close();

  const std::atomic<int>& state_;
  Events events_;
  std::unique_ptr<audio::WaveIn> input_;
  std::vector<char> memory_;
  std::array<audio::WaveBuffer, kMaxInputBuffers> headers_{};
  int count_ = kMaxInputBuffers;
  WaveFormat format_;
  QString tempPath_;
  std::atomic<int> held_{0};
  std::atomic<bool> drained_{true};
  std::atomic<bool> closing_{false};
  std::atomic<float> recordedSeconds_{0.0f};
  int drainTimeoutMs_ = kDefaultDrainTimeoutMs;
  std::mutex wakeMutex_;
  std::condition_variable wake_;
};

}  // namespace orlane
