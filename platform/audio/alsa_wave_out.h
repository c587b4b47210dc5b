// Wave output on an ALSA PCM: one thread per open device writes the queued
// buffers with snd_pcm_writei and returns each one once the device has
// played it, measured by the PCM's delay.
#pragma once

#include "platform/audio/alsa_pcm.h"
#include "platform/audio/buffer_queues.h"

namespace orlane::audio {

class AlsaWaveOut final : public WaveOut {
 public:
  AlsaWaveOut() = default;
  ~AlsaWaveOut() override;
  AlsaWaveOut(const AlsaWaveOut&) = delete;
  AlsaWaveOut& operator=(const AlsaWaveOut&) = delete;

  WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) override;
  WaveStatus write(WaveBuffer* buffer) override;
  WaveStatus pause() override;
  WaveStatus restart() override;
  WaveStatus reset() override;
  WaveStatus positionBytes(quint64* bytes) override;
  WaveStatus close() override;
  bool isOpen() const override { return pcm_ != nullptr; }
  WaveFormat format() const override { return format_; }

 private:
  void run(std::unique_lock<std::mutex>& lock);
  // Bytes the device has played, from the written count and its delay.
  quint64 measurePlayed();

  AlsaDeviceThread thread_;
  PcmHandle pcm_;
  WaveFormat format_;
  WaveDoneCallback onDone_;
  OutputQueue queue_;
  std::vector<char> scratch_;
  snd_pcm_uframes_t periodFrames_ = 0;
  bool paused_ = false;
  bool hwPaused_ = false;
};

}  // namespace orlane::audio
