#include "sound/sound_recorder.h"

#include "platform/private_file.h"

#include <QElapsedTimer>
#include <QFile>

#include <chrono>

namespace orlane {

using audio::WaveStatus;

SoundRecorder::SoundRecorder(const std::atomic<int>& state, Events events)
    : state_(state), events_(std::move(events)) {}

SoundRecorder::~SoundRecorder() {
  Close();
}

int SoundRecorder::Start(const WaveFormat& format, const QString& tempPath) {
  if (!IsSupportedWaveFormat(format)) return 0;
  // Each recording opens the input anew (the last one closed it), so the
  // device thread never sees the fields below change under it.
  Close();
  tempPath_ = tempPath;
  format_ = format;
  for (int attempt = 0; attempt < kOpenAttempts && !input_; ++attempt) {
    auto device = audio::CreateWaveIn();
    if (device->open(ToDeviceFormat(format), [this](audio::WaveBuffer* b) { OnBufferDone(b); }) == WaveStatus::Ok)
      input_ = std::move(device);
  }
  if (!input_) return 0;
  count_ = InputBufferCount(format, count_);
  memory_.assign(static_cast<size_t>(RecordMemoryBytes(format)), '\0');
  const quint32 bytes = InputBufferBytes(format, count_);
  for (int i = 0; i < count_; ++i) {
    audio::WaveBuffer& h = headers_[static_cast<size_t>(i)];
    h = {};
    h.data = memory_.data() + static_cast<qint64>(i) * bytes;
    h.length = bytes;
  }
  held_ = 0;
  drained_ = false;
  for (int i = 0; i < count_; ++i) {
    audio::WaveBuffer* h = &headers_[static_cast<size_t>(i)];
    if (audio::PrepareBuffer(h) != WaveStatus::Ok) break;
    ++held_;
    if (input_->addBuffer(h) != WaveStatus::Ok) {
      --held_;
      audio::UnprepareBuffer(h);
      break;
    }
  }
  if (held_ != count_ || input_->start() != WaveStatus::Ok) {
    Close();
    return 0;
  }
  recordedSeconds_ = static_cast<float>(QFile(tempPath_).size()) / static_cast<float>(format_.averageBytesPerSecond);
  return 1;
}

void SoundRecorder::OnBufferDone(audio::WaveBuffer* buffer) {
  const bool stopping = closing_.load() || state_.load() == static_cast<int>(SoundState::Stopped);
  if (!stopping && events_.level)
    events_.level(LevelOfBuffer(buffer->data, buffer->bytesRecorded, format_.bitsPerSample));
  // What the device filled: a buffer returned full holds its whole length; one
  // handed back early by a closing device holds only what was recorded. The
  // samples are not scrambled, so nobody else may read the file.
  const AppendResult stored = AppendToPrivateFile(tempPath_, QByteArrayView(buffer->data, buffer->bytesRecorded));
  if (stored.lengthBefore < 0) {
    // Dropped, but it still counts as back, so that stopping completes.
    audio::UnprepareBuffer(buffer);
    Release();
    return;
  }
  recordedSeconds_ = static_cast<float>(stored.lengthBefore) / static_cast<float>(format_.averageBytesPerSecond);
  if (events_.stored) events_.stored();
  audio::UnprepareBuffer(buffer);
  if (stopping) {
    Release();
    return;
  }
  buffer->bytesRecorded = 0;
  if (audio::PrepareBuffer(buffer) != WaveStatus::Ok || input_->addBuffer(buffer) != WaveStatus::Ok) {
    audio::UnprepareBuffer(buffer);
    Release();
  }
}

void SoundRecorder::Release() {
  if (held_.fetch_sub(1) == 1) {
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      drained_ = true;
    }
    wake_.notify_all();
  }
}

SoundRecorder::StopResult SoundRecorder::Stop(const std::function<void()>& idle) {
  if (memory_.empty() || !input_) return StopResult::NotRecording;
  QElapsedTimer waited;
  waited.start();
  bool timedOut = false;
  while (!drained_.load()) {
    if (waited.elapsed() >= drainTimeoutMs_) {
      timedOut = true;
      break;
    }
    {
      std::unique_lock<std::mutex> lock(wakeMutex_);
      wake_.wait_for(lock, std::chrono::milliseconds(4), [this] { return drained_.load(); });
    }
    if (idle) idle();
  }
  Close();
  return timedOut ? StopResult::TimedOut : StopResult::Stopped;
}

void SoundRecorder::Abort() {
  Close();
}

void SoundRecorder::Close() {
  if (input_) {
    // Buffers the device hands back from here on are kept, never re-queued.
    closing_ = true;
    input_->stop();
    input_->close();
    input_.reset();
    closing_ = false;
  }
  for (audio::WaveBuffer& h : headers_) {
    if (h.flags & audio::kBufferPrepared) audio::UnprepareBuffer(&h);
  }
  memory_.clear();
  memory_.shrink_to_fit();
  held_ = 0;
  drained_ = true;
}

}  // namespace orlane
