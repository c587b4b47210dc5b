#include "platform/audio/wave_device.h"

#include "platform/audio/alsa_wave_in.h"
#include "platform/audio/alsa_wave_out.h"

#include <cstdlib>
#include <mutex>

namespace orlane::audio {

namespace {

std::mutex& FactoryMutex() {
  static std::mutex m;
  return m;
}

WaveDeviceFactory& Factory() {
  static WaveDeviceFactory f;
  return f;
}

}  // namespace

void SetWaveDeviceFactoryForTesting(WaveDeviceFactory factory) {
  std::lock_guard<std::mutex> lock(FactoryMutex());
  Factory() = std::move(factory);
}

bool WaveDeviceFactoryInstalled() {
  std::lock_guard<std::mutex> lock(FactoryMutex());
  return static_cast<bool>(Factory().makeOut) || static_cast<bool>(Factory().makeIn);
}

std::unique_ptr<WaveOut> CreateWaveOut() {
  std::function<std::unique_ptr<WaveOut>()> make;
  {
    std::lock_guard<std::mutex> lock(FactoryMutex());
    make = Factory().makeOut;
  }
  if (make) return make();
  return std::make_unique<AlsaWaveOut>();
}

std::unique_ptr<WaveIn> CreateWaveIn() {
  std::function<std::unique_ptr<WaveIn>()> make;
  {
    std::lock_guard<std::mutex> lock(FactoryMutex());
    make = Factory().makeIn;
  }
  if (make) return make();
  return std::make_unique<AlsaWaveIn>();
}

quint64 BytesToFrames(const WaveFormat& format, quint64 bytes) {
  return format.blockAlign == 0 ? 0 : bytes / format.blockAlign;
}

const char* AlsaPcmName() {
  const char* name = std::getenv("ORLANE_ALSA_PCM");
  return (name != nullptr && *name != '\0') ? name : "default";
}

}  // namespace orlane::audio
