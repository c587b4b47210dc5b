// The wave output and wave input interfaces: a device plays or fills
// caller-owned buffers in the order they were queued and hands each one back
// through the done callback, on the device's own thread. CreateWaveOut and
// CreateWaveIn give the ALSA devices, or the ones the installed services make
// (platform/services.h: the simulated devices of a test).
#pragma once

#include "platform/audio/wave_types.h"

#include <functional>
#include <memory>

namespace orlane::audio {

// Called once per returned buffer (its kBufferDone flag set, kBufferInQueue
// cleared). Normal completions arrive on the device thread; reset() and
// stop() hand their buffers back on the calling thread before they return.
// A callback may queue buffers again, but must neither close nor destroy
// its own device.
using WaveDoneCallback = std::function<void(WaveBuffer*)>;

class WaveOut {
 public:
  virtual ~WaveOut() = default;
  virtual WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) = 0;
  // Queues a prepared buffer behind the ones already queued.
  virtual WaveStatus write(WaveBuffer* buffer) = 0;
  virtual WaveStatus pause() = 0;
  virtual WaveStatus restart() = 0;
  // Stops, returns every queued buffer done and sets the position to 0. A
  // paused device stays paused.
  virtual WaveStatus reset() = 0;
  // Bytes played since open or the last reset.
  virtual WaveStatus positionBytes(quint64* bytes) = 0;
  // Resets first, then closes and joins the device thread. Always closes.
  virtual WaveStatus close() = 0;
  virtual bool isOpen() const = 0;
  virtual WaveFormat format() const = 0;
};

class WaveIn {
 public:
  virtual ~WaveIn() = default;
  virtual WaveStatus open(const WaveFormat& format, WaveDoneCallback onDone) = 0;
  // Queues an empty prepared buffer to be filled after the ones queued.
  virtual WaveStatus addBuffer(WaveBuffer* buffer) = 0;
  virtual WaveStatus start() = 0;
  // Stops recording; a partly filled current buffer is returned with its
  // bytesRecorded, empty ones stay queued.
  virtual WaveStatus stop() = 0;
  // Stops and returns every queued buffer; the position goes back to 0.
  virtual WaveStatus reset() = 0;
  // Bytes recorded since open or the last reset.
  virtual WaveStatus positionBytes(quint64* bytes) = 0;
  // Resets first, then closes and joins the device thread. Always closes.
  virtual WaveStatus close() = 0;
  virtual bool isOpen() const = 0;
  virtual WaveFormat format() const = 0;
};

std::unique_ptr<WaveOut> CreateWaveOut();
std::unique_ptr<WaveIn> CreateWaveIn();

// Position in sample frames instead of bytes.
quint64 BytesToFrames(const WaveFormat& format, quint64 bytes);

// Whether the services make devices other than ALSA's (a test's).
bool WaveDeviceFactoryInstalled();

// The ALSA PCM the devices open: ORLANE_ALSA_PCM when set, else "default".
const char* AlsaPcmName();

}  // namespace orlane::audio
