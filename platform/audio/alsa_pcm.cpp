#include "platform/audio/alsa_pcm.h"

#include <chrono>
#include <cstdarg>

namespace orlane::audio {

namespace {

void QuietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

snd_pcm_format_t AlsaSampleFormat(quint16 bits) {
  switch (bits) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    case 32: return SND_PCM_FORMAT_S32_LE;
    default: return SND_PCM_FORMAT_UNKNOWN;
  }
}

void SilenceAlsaMessages() {
  static std::once_flag quiet;
  std::call_once(quiet, [] { snd_lib_error_set_handler(&QuietAlsaErrors); });
}

WaveStatus OpenAlsaPcm(snd_pcm_stream_t stream, const WaveFormat& format, PcmHandle* out,
                       snd_pcm_uframes_t* periodFrames) {
  if (!IsPlayableFormat(format)) return WaveStatus::BadFormat;
  SilenceAlsaMessages();
  snd_pcm_t* raw = nullptr;
  if (snd_pcm_open(&raw, AlsaPcmName(), stream, SND_PCM_NONBLOCK) < 0 || raw == nullptr) return WaveStatus::NoDevice;
  PcmHandle pcm(raw);
  // 200 ms of device buffer: enough against scheduling hiccups, short
  // enough that pause and reset answer at once.
  if (snd_pcm_set_params(pcm.get(), AlsaSampleFormat(format.bitsPerSample), SND_PCM_ACCESS_RW_INTERLEAVED,
                         format.channels, format.samplesPerSec, 1, 200000) < 0)
    return WaveStatus::BadFormat;
  snd_pcm_uframes_t buffer = 0;
  snd_pcm_uframes_t period = 0;
  if (snd_pcm_get_params(pcm.get(), &buffer, &period) < 0 || period == 0) period = 1024;
  *periodFrames = period;
  *out = std::move(pcm);
  return WaveStatus::Ok;
}

void AlsaDeviceThread::start(std::function<void(std::unique_lock<std::mutex>&)> body) {
  quit_ = false;
  thread_ = std::thread([this, body = std::move(body)] {
    std::unique_lock<std::mutex> lock(mutex_);
    body(lock);
  });
}

void AlsaDeviceThread::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  cv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void AlsaDeviceThread::deliver(std::unique_lock<std::mutex>& lock, const WaveDoneCallback& callback,
                               const std::vector<WaveBuffer*>& buffers) {
  if (buffers.empty() || !callback) return;
  const bool guard = onThread();
  if (guard) ++delivering_;
  lock.unlock();
  for (WaveBuffer* b : buffers) callback(b);
  lock.lock();
  if (guard && --delivering_ == 0) cv_.notify_all();
}

void AlsaDeviceThread::waitUntilDelivered(std::unique_lock<std::mutex>& lock) {
  if (onThread()) return;
  cv_.wait(lock, [this] { return delivering_ == 0; });
}

void AlsaDeviceThread::sleep(std::unique_lock<std::mutex>& lock, int ms) {
  cv_.wait_for(lock, std::chrono::milliseconds(ms));
}

}  // namespace orlane::audio
