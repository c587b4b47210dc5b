// Fire-and-forget playback of one PCM sound (the reminder beep): one worker
// thread per player opens a wave output, plays the sound, closes the device
// and waits for the next. A new sound replaces the one playing, so one call
// a second never piles up threads or devices. Without a sound device it
// stays silent.
#pragma once

#include "platform/audio/wave_types.h"

#include <QByteArray>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace orlane::audio {

class WavePlayer final {
 public:
  WavePlayer() = default;
  ~WavePlayer();
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  // Returns at once; the sound starts on the worker thread.
  void play(const WaveFormat& format, const QByteArray& pcm);
  // Cuts the current sound short and drops a pending one.
  void stop();
  // Waits until nothing plays or waits to play; false on timeout.
  bool waitIdle(int timeoutMs);
  // How many worker threads this player ever started (at most one).
  int threadsStarted() const;
  // Sounds whose device could not be opened.
  int failedOpens() const;

 private:
  struct Request {
    WaveFormat format;
    QByteArray pcm;
  };
  void run();
  void playOne(std::unique_lock<std::mutex>& lock, const Request& request);

  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::thread thread_;
  std::optional<Request> pending_;
  bool busy_ = false;
  bool done_ = false;
  bool cut_ = false;
  bool quit_ = false;
  int threadsStarted_ = 0;
  int failedOpens_ = 0;
};

// Plays through the process-wide player.
void PlayWaveBytes(const WaveFormat& format, const QByteArray& pcm);
// Ends the process-wide player's thread (at exit; later calls start it anew).
void ShutdownWavePlayback();

}  // namespace orlane::audio
