#include "platform/audio/alsa_wave_in.h"

namespace orlane::audio {

AlsaWaveIn::~AlsaWaveIn() {
  close();
}

WaveStatus AlsaWaveIn::open(const WaveFormat& format, WaveDoneCallback onDone) {
  if (pcm_) return WaveStatus::AlreadyOpen;
  const WaveStatus status = OpenAlsaPcm(SND_PCM_STREAM_CAPTURE, format, &pcm_, &periodFrames_);
  if (status != WaveStatus::Ok) return status;
  format_ = format;
  onDone_ = std::move(onDone);
  running_ = false;
  scratch_.assign(periodFrames_ * format.blockAlign, 0);
  thread_.start([this](std::unique_lock<std::mutex>& lock) { run(lock); });
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveIn::addBuffer(WaveBuffer* buffer) {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  const WaveStatus status = TakeIntoQueue(buffer);
  if (status != WaveStatus::Ok) return status;
  queue_.push(buffer);
  thread_.wake();
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveIn::start() {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  if (running_) return WaveStatus::Ok;
  snd_pcm_t* pcm = pcm_.get();
  if (snd_pcm_state(pcm) != SND_PCM_STATE_PREPARED) snd_pcm_prepare(pcm);
  if (snd_pcm_start(pcm) < 0) return WaveStatus::DeviceError;
  running_ = true;
  thread_.wake();
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveIn::halt(bool all) {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  thread_.waitUntilDelivered(lock);
  running_ = false;
  snd_pcm_drop(pcm_.get());
  snd_pcm_prepare(pcm_.get());
  thread_.deliver(lock, onDone_, all ? queue_.takeAll() : queue_.finishCurrent());
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveIn::stop() {
  return halt(false);
}
WaveStatus AlsaWaveIn::reset() {
  return halt(true);
}

WaveStatus AlsaWaveIn::positionBytes(quint64* bytes) {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  *bytes = queue_.recorded();
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveIn::close() {
  if (!pcm_) return WaveStatus::NotOpen;
  if (thread_.onThread()) return WaveStatus::DeviceError;
  reset();
  thread_.stop();
  pcm_.reset();
  onDone_ = nullptr;
  return WaveStatus::Ok;
}

void AlsaWaveIn::run(std::unique_lock<std::mutex>& lock) {
  snd_pcm_t* pcm = pcm_.get();
  const quint32 frameBytes = format_.blockAlign;
  const snd_pcm_format_t sampleFormat = AlsaSampleFormat(format_.bitsPerSample);
  while (!thread_.quitting()) {
    if (!running_ || queue_.empty()) {
      thread_.sleep(lock, 100);
      continue;
    }
    // Devices that deliver no samples (a null device, an input file at its
    // end) leave the transfer buffer as it was: make that silence, not the
    // previous period again.
    snd_pcm_format_set_silence(sampleFormat, scratch_.data(), static_cast<unsigned>(periodFrames_ * format_.channels));
    const snd_pcm_sframes_t n = snd_pcm_readi(pcm, scratch_.data(), periodFrames_);
    if (n > 0) {
      thread_.deliver(lock, onDone_, queue_.fill(scratch_.data(), static_cast<quint32>(n) * frameBytes));
    } else if (n == -EAGAIN || n == 0) {
      lock.unlock();
      snd_pcm_wait(pcm, 50);
      lock.lock();
    } else if (snd_pcm_recover(pcm, static_cast<int>(n), 1) == 0) {
      snd_pcm_start(pcm);  // an overrun while no buffer was queued
    } else {
      // The device is gone: hand back what was recorded so nobody waits forever.
      running_ = false;
      thread_.deliver(lock, onDone_, queue_.takeAll());
    }
  }
}

}  // namespace orlane::audio
