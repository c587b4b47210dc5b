#include "platform/audio/alsa_wave_out.h"

#include <algorithm>

namespace orlane::audio {

AlsaWaveOut::~AlsaWaveOut() {
  close();
}

WaveStatus AlsaWaveOut::open(const WaveFormat& format, WaveDoneCallback onDone) {
  if (pcm_) return WaveStatus::AlreadyOpen;
  const WaveStatus status = OpenAlsaPcm(SND_PCM_STREAM_PLAYBACK, format, &pcm_, &periodFrames_);
  if (status != WaveStatus::Ok) return status;
  format_ = format;
  onDone_ = std::move(onDone);
  paused_ = hwPaused_ = false;
  scratch_.assign(periodFrames_ * format.blockAlign, 0);
  thread_.start([this](std::unique_lock<std::mutex>& lock) { run(lock); });
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::write(WaveBuffer* buffer) {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  const WaveStatus status = TakeIntoQueue(buffer);
  if (status != WaveStatus::Ok) return status;
  queue_.push(buffer);
  thread_.wake();
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::pause() {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  if (paused_) return WaveStatus::Ok;
  queue_.setPlayed(measurePlayed());
  paused_ = true;
  if (snd_pcm_state(pcm_.get()) == SND_PCM_STATE_RUNNING && snd_pcm_pause(pcm_.get(), 1) == 0) {
    hwPaused_ = true;
  } else {
    // No hardware pause: drop what the device holds and write it again later.
    snd_pcm_drop(pcm_.get());
    snd_pcm_prepare(pcm_.get());
    queue_.rewindToPlayed();
  }
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::restart() {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  if (hwPaused_ && snd_pcm_pause(pcm_.get(), 0) < 0) {
    snd_pcm_drop(pcm_.get());
    snd_pcm_prepare(pcm_.get());
    queue_.rewindToPlayed();
  }
  hwPaused_ = false;
  paused_ = false;
  thread_.wake();
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::reset() {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  thread_.waitUntilDelivered(lock);
  snd_pcm_drop(pcm_.get());
  snd_pcm_prepare(pcm_.get());
  hwPaused_ = false;
  const std::vector<WaveBuffer*> returned = queue_.takeAll();
  thread_.deliver(lock, onDone_, returned);
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::positionBytes(quint64* bytes) {
  std::unique_lock<std::mutex> lock(thread_.mutex());
  if (!pcm_) return WaveStatus::NotOpen;
  *bytes = paused_ ? queue_.played() : std::max(queue_.played(), measurePlayed());
  return WaveStatus::Ok;
}

WaveStatus AlsaWaveOut::close() {
  if (!pcm_) return WaveStatus::NotOpen;
  if (thread_.onThread()) return WaveStatus::DeviceError;
  reset();
  thread_.stop();
  pcm_.reset();
  onDone_ = nullptr;
  return WaveStatus::Ok;
}

quint64 AlsaWaveOut::measurePlayed() {
  snd_pcm_t* pcm = pcm_.get();
  const snd_pcm_state_t state = snd_pcm_state(pcm);
  if (state == SND_PCM_STATE_XRUN) return queue_.written();  // ran dry: all of it sounded
  if (state != SND_PCM_STATE_RUNNING && state != SND_PCM_STATE_DRAINING) return queue_.played();
  snd_pcm_sframes_t delay = 0;
  if (snd_pcm_delay(pcm, &delay) < 0) return queue_.played();
  const quint64 held = static_cast<quint64>(std::max<snd_pcm_sframes_t>(delay, 0)) * format_.blockAlign;
  return queue_.written() > held ? queue_.written() - held : 0;
}

void AlsaWaveOut::run(std::unique_lock<std::mutex>& lock) {
  snd_pcm_t* pcm = pcm_.get();
  const quint32 frameBytes = format_.blockAlign;
  while (!thread_.quitting()) {
    if (paused_ || queue_.empty()) {
      thread_.sleep(lock, 100);
      continue;
    }
    thread_.deliver(lock, onDone_, queue_.markPlayed(measurePlayed()));
    if (paused_ || queue_.empty() || thread_.quitting()) continue;

    snd_pcm_state_t state = snd_pcm_state(pcm);
    if (state == SND_PCM_STATE_XRUN || state == SND_PCM_STATE_SETUP) {
      snd_pcm_prepare(pcm);
      state = SND_PCM_STATE_PREPARED;
    }
    if (queue_.pendingBytes() == 0) {
      // Everything is with the device; a sound shorter than the start
      // threshold has to be started by hand.
      if (state == SND_PCM_STATE_PREPARED && queue_.written() > queue_.played()) {
        if (snd_pcm_start(pcm) < 0) thread_.deliver(lock, onDone_, queue_.markPlayed(queue_.written()));
      }
      thread_.sleep(lock, 10);
      continue;
    }
    const snd_pcm_sframes_t avail = snd_pcm_avail_update(pcm);
    if (avail < 0) {
      if (snd_pcm_recover(pcm, static_cast<int>(avail), 1) < 0) thread_.sleep(lock, 10);
      continue;
    }
    if (avail == 0) {
      lock.unlock();
      snd_pcm_wait(pcm, 20);
      lock.lock();
      continue;
    }
    const quint32 want = static_cast<quint32>(std::min<snd_pcm_uframes_t>(avail, periodFrames_)) * frameBytes;
    const quint32 got = queue_.copyPending(scratch_.data(), want);
    const quint32 frames = got / frameBytes;
    if (frames == 0) {  // a tail shorter than one frame cannot sound
      queue_.advanceWritten(got);
      continue;
    }
    const snd_pcm_sframes_t n = snd_pcm_writei(pcm, scratch_.data(), frames);
    if (n > 0) {
      quint64 advance = static_cast<quint64>(n) * frameBytes;
      if (n == frames && got == queue_.pendingBytes()) advance = got;  // the last bytes, with a partial frame
      queue_.advanceWritten(advance);
    } else if (n == -EAGAIN) {
      lock.unlock();
      snd_pcm_wait(pcm, 20);
      lock.lock();
    } else if (n < 0 && snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0) {
      // The device is gone: count the queue as played so no buffer is held forever.
      queue_.advanceWritten(queue_.pendingBytes());
      thread_.deliver(lock, onDone_, queue_.markPlayed(queue_.written()));
    }
  }
}

}  // namespace orlane::audio
