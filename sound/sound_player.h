// The wave output of the sound view: the loaded sound's bytes, held while
// the device is open, and exactly one playback header that always covers
// the bytes from the current play start to the end of the sound. Moving the
// play start is a reset and one new header; while that happens the seeking
// flag is set, so the buffer the reset hands back does not count as the end
// of playback. Each header gets a new generation number, so an end reported
// late for an earlier header is recognised as stale.
#pragma once

#include "platform/audio/wave_device.h"
#include "sound/wav_image.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <memory>

namespace orlane {

class SoundPlayer final {
 public:
  // The header played to its end (device thread, or the thread that reset
  // the device); generation names the header.
  using EndedHandler = std::function<void(quint64 generation)>;

  explicit SoundPlayer(EndedHandler ended);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Opens the wave output for the sound and points the header at all of it.
  audio::WaveStatus Open(const WaveFormat& format, QByteArray pcm);
  // Resets, unprepares the header, closes the device and lets the sound go.
  void Close();
  bool IsOpen() const { return output_ != nullptr; }
  QByteArrayView Data() const { return data_; }
  // The sound's bytes, shared (no copy is made).
  QByteArray Bytes() const { return data_; }
  qint64 DataLength() const { return data_.size(); }

  // Resets the device and makes the header cover offset..end (offset is
  // kept inside the sound). The device is not told to play it.
  void Rewind(qint64 offset);
  // Queues the header; false when the device refuses it (left unprepared).
  bool Write();
  bool Pause();
  bool Restart();
  // Stops playing and hands the header back.
  void Reset();

  qint64 HeaderStart() const { return DataLength() - header_.length; }
  qint64 Position() const;
  quint64 Generation() const { return generation_.load(); }
  bool Seeking() const { return seeking_.load(); }

 private:
  void OnDone(audio::WaveBuffer* buffer);
  void PointHeaderAt(qint64 offset);

  EndedHandler ended_;
  std::unique_ptr<audio::WaveOut> output_;
  QByteArray data_;
  audio::WaveBuffer header_{};
  std::atomic<quint64> generation_{0};
  std::atomic<bool> seeking_{false};
};

}  // namespace orlane
