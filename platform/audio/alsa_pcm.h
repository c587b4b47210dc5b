// What the ALSA wave devices share: opening a PCM in non-blocking mode with a
// wave format, and the device thread with its lock and the guard that lets
// reset() wait until the thread has finished handing buffers back.
#pragma once

#include "platform/audio/wave_device.h"

#include <alsa/asoundlib.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orlane::audio {

struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using PcmHandle = std::unique_ptr<snd_pcm_t, PcmCloser>;

// The ALSA sample format of a PCM bit depth (8 unsigned, else signed LE).
snd_pcm_format_t AlsaSampleFormat(quint16 bits);

// Keeps libasound's own messages (no card, unknown PCM) off stderr.
void SilenceAlsaMessages();

// Opens AlsaPcmName() for the stream with interleaved access and the format;
// on success *periodFrames is the transfer size. Quiet: ALSA's own messages
// are not printed.
WaveStatus OpenAlsaPcm(snd_pcm_stream_t stream, const WaveFormat& format, PcmHandle* out,
                       snd_pcm_uframes_t* periodFrames);

// A device thread, its lock, and the delivery of done buffers.
class AlsaDeviceThread {
 public:
  AlsaDeviceThread() = default;
  AlsaDeviceThread(const AlsaDeviceThread&) = delete;
  AlsaDeviceThread& operator=(const AlsaDeviceThread&) = delete;

  // Runs body(lock) on a new thread until stop() is called; body returns
  // when quitting() is true.
  void start(std::function<void(std::unique_lock<std::mutex>&)> body);
  // Asks the body to end and joins the thread (not from the thread itself).
  void stop();
  bool quitting() const { return quit_; }
  bool onThread() const { return std::this_thread::get_id() == thread_.get_id(); }

  // Hands buffers to the callback with the lock released; while it runs,
  // waitUntilDelivered() on other threads waits.
  void deliver(std::unique_lock<std::mutex>& lock, const WaveDoneCallback& callback,
               const std::vector<WaveBuffer*>& buffers);
  // Waits (lock held) until no delivery is running on the device thread.
  void waitUntilDelivered(std::unique_lock<std::mutex>& lock);
  // Sleeps on the device's condition (lock held) for at most ms.
  void sleep(std::unique_lock<std::mutex>& lock, int ms);
  void wake() { cv_.notify_all(); }

  std::mutex& mutex() { return mutex_; }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::thread thread_;
  bool quit_ = false;
  int delivering_ = 0;  // nested deliveries on the device thread
};

}  // namespace orlane::audio
