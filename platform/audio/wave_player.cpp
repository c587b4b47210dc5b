#include "platform/audio/wave_player.h"

#include "platform/audio/wave_device.h"
#include "platform/services.h"

#include <chrono>
#include <memory>

namespace orlane::audio {

WavePlayer::~WavePlayer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    pending_.reset();
  }
  cv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void WavePlayer::play(const WaveFormat& format, const QByteArray& pcm) {
  if (pcm.isEmpty() || !IsPlayableFormat(format)) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (quit_) return;
    pending_ = Request{format, pcm};
    if (!thread_.joinable()) {
      ++threadsStarted_;
      thread_ = std::thread([this] { run(); });
    }
  }
  cv_.notify_all();
}

void WavePlayer::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.reset();
    cut_ = true;
  }
  cv_.notify_all();
}

bool WavePlayer::waitIdle(int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !busy_ && !pending_; });
}

int WavePlayer::threadsStarted() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return threadsStarted_;
}

int WavePlayer::failedOpens() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failedOpens_;
}

void WavePlayer::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    if (!pending_) {
      cv_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      continue;
    }
    const Request request = std::move(*pending_);
    pending_.reset();
    busy_ = true;
    cut_ = false;
    playOne(lock, request);
    busy_ = false;
    cv_.notify_all();
  }
}

void WavePlayer::playOne(std::unique_lock<std::mutex>& lock, const Request& request) {
  done_ = false;
  lock.unlock();
  std::unique_ptr<WaveOut> device = CreateWaveOut();
  const WaveStatus opened = device->open(request.format, [this](WaveBuffer*) {
    {
      std::lock_guard<std::mutex> guard(mutex_);
      done_ = true;
    }
    cv_.notify_all();
  });
  QByteArray pcm = request.pcm;  // the device holds a pointer into it until done
  WaveBuffer buffer;
  buffer.data = pcm.data();
  buffer.length = static_cast<quint32>(pcm.size());
  const bool started =
      opened == WaveStatus::Ok && PrepareBuffer(&buffer) == WaveStatus::Ok && device->write(&buffer) == WaveStatus::Ok;
  lock.lock();
  if (opened != WaveStatus::Ok) ++failedOpens_;
  if (started) {
    // A device that stops answering must not hold the player: wait at most
    // the sound's length and two seconds more.
    const auto length = std::chrono::milliseconds(static_cast<qint64>(pcm.size()) * 1000 /
                                                  std::max<quint32>(request.format.avgBytesPerSec, 1));
    cv_.wait_for(lock, length + std::chrono::seconds(2),
                 [this] { return done_ || quit_ || cut_ || pending_.has_value(); });
  }
  lock.unlock();
  device.reset();  // close resets a sound cut short, then joins the device thread
  lock.lock();
}

void PlayWaveBytes(const WaveFormat& format, const QByteArray& pcm) {
  MadeService(&Services::wavePlayer)->play(format, pcm);
}

void ShutdownWavePlayback() {
  std::shared_ptr<WavePlayer> player = Service(&Services::wavePlayer);
  SetService(&Services::wavePlayer, nullptr);
  player.reset();  // joins the thread here, outside the services' lock
}

}  // namespace orlane::audio
