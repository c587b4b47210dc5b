// Wave input on an ALSA PCM: one thread per open device reads with
// snd_pcm_readi into the queued buffers and returns each one when full.
#pragma once

#include "platform/audio/alsa_pcm.h"
#include "platform/audio/buffer_queues.h"

namespace orlane::audio {

class AlsaWaveIn final : public WaveIn {
 public:
  AlsaWaveIn() = default;
  ~AlsaWaveIn() override;
  AlsaWaveIn(const AlsaWaveIn&) = delete;
  AlsaWaveIn& operator=(const AlsaWaveIn&) = delete;

  WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) override;
  WaveStatus addBuffer(WaveBuffer* buffer) override;
  WaveStatus start() override;
  WaveStatus stop() override;
  WaveStatus reset() override;
  WaveStatus positionBytes(quint64* bytes) override;
  WaveStatus close() override;
  bool isOpen() const override { return pcm_ != nullptr; }
  WaveFormat format() const override { return format_; }

 private:
  void run(std::unique_lock<std::mutex>& lock);
  // Stops the PCM; with all, every buffer comes back, else only a partly filled one.
  WaveStatus halt(bool all);

  AlsaDeviceThread thread_;
  PcmHandle pcm_;
  WaveFormat format_;
  WaveDoneCallback onDone_;
  InputQueue queue_;
  std::vector<char> scratch_;
  snd_pcm_uframes_t periodFrames_ = 0;
  bool running_ = false;
};

}  // namespace orlane::audio
