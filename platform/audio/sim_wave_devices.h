// Simulated wave devices for tests: the same interfaces as the ALSA devices,
// but nothing happens on its own. The test plays bytes out of the output,
// feeds samples into the input and so decides when each buffer completes;
// callbacks then run on the test's thread. SimulatedAudio installs them as
// the devices CreateWaveOut/CreateWaveIn make, and finds them again.
#pragma once

#include "platform/audio/buffer_queues.h"
#include "platform/audio/wave_device.h"
#include "platform/services.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>
#include <mutex>

namespace orlane::audio {

struct SimAudioState;

class SimWaveOut final : public WaveOut {
 public:
  explicit SimWaveOut(std::shared_ptr<SimAudioState> system = nullptr);
  ~SimWaveOut() override;
  SimWaveOut(const SimWaveOut&) = delete;
  SimWaveOut& operator=(const SimWaveOut&) = delete;

  WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) override;
  WaveStatus write(WaveBuffer* buffer) override;
  WaveStatus pause() override;
  WaveStatus restart() override;
  WaveStatus reset() override;
  WaveStatus positionBytes(quint64* bytes) override;
  WaveStatus close() override;
  bool isOpen() const override;
  WaveFormat format() const override;

  // Plays up to bytes of the queue (nothing while paused or closed) and
  // returns how many were played; finished buffers are returned at once.
  quint64 play(quint64 bytes);
  quint64 playAll() { return play(~quint64{0}); }
  // Every byte played since the device was made, in order.
  QByteArray playedBytes() const;
  std::size_t queuedCount() const;
  bool paused() const;
  // The calls in order: "open", "write <length>", "pause", "restart", "reset", "close".
  QStringList calls() const;

 private:
  void log(const QString& call);

  std::shared_ptr<SimAudioState> system_;
  mutable std::mutex mutex_;
  bool open_ = false;
  bool paused_ = false;
  WaveFormat format_;
  WaveDoneCallback onDone_;
  OutputQueue queue_;
  QByteArray played_;
  QStringList calls_;
};

class SimWaveIn final : public WaveIn {
 public:
  explicit SimWaveIn(std::shared_ptr<SimAudioState> system = nullptr);
  ~SimWaveIn() override;
  SimWaveIn(const SimWaveIn&) = delete;
  SimWaveIn& operator=(const SimWaveIn&) = delete;

  WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) override;
  WaveStatus addBuffer(WaveBuffer* buffer) override;
  WaveStatus start() override;
  WaveStatus stop() override;
  WaveStatus reset() override;
  WaveStatus positionBytes(quint64* bytes) override;
  WaveStatus close() override;
  bool isOpen() const override;
  WaveFormat format() const override;

  // Samples arriving from the microphone: they fill the queued buffers while
  // started; returns the bytes taken (the rest is lost, as on a device).
  quint32 feed(const QByteArray& samples);
  std::size_t queuedCount() const;
  bool started() const;
  // "open", "add <length>", "start", "stop", "reset", "close".
  QStringList calls() const;
  // The next count addBuffer calls fail with DeviceError.
  void failAdds(int count);
  void failStarts(int count);

 private:
  void log(const QString& call);

  std::shared_ptr<SimAudioState> system_;
  mutable std::mutex mutex_;
  bool open_ = false;
  bool started_ = false;
  int failAdds_ = 0;
  int failStarts_ = 0;
  WaveFormat format_;
  WaveDoneCallback onDone_;
  InputQueue queue_;
  QStringList calls_;
};

// While alive, the services' device members (and so CreateWaveOut and
// CreateWaveIn) make simulated devices.
class SimulatedAudio final {
 public:
  SimulatedAudio();
  SimulatedAudio(const SimulatedAudio&) = delete;
  SimulatedAudio& operator=(const SimulatedAudio&) = delete;

  // Without a device every open fails with NoDevice.
  void setOutputPresent(bool present);
  void setInputPresent(bool present);
  // The next count opens of the kind fail with NoDevice.
  void failOutputOpens(int count);
  void failInputOpens(int count);

  // The most recently made device still alive, or null (not owned).
  SimWaveOut* lastOutput() const;
  // Runs act on the most recently made output still alive, which another
  // thread cannot destroy meanwhile; false when there is none. The device's
  // callbacks run inside act and must not make devices.
  bool withLastOutput(const std::function<void(SimWaveOut*)>& act) const;
  SimWaveIn* lastInput() const;
  int outputsMade() const;
  int inputsMade() const;
  int outputOpens() const;
  int liveOutputs() const;

 private:
  std::shared_ptr<SimAudioState> state_;
  ScopedService<std::function<std::unique_ptr<WaveOut>()>> makeOut_;
  ScopedService<std::function<std::unique_ptr<WaveIn>()>> makeIn_;
};

}  // namespace orlane::audio
