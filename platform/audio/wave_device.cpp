#include "platform/audio/wave_device.h"

#include "platform/audio/alsa_wave_in.h"
#include "platform/audio/alsa_wave_out.h"
#include "platform/services.h"

#include <cstdlib>

namespace orlane::audio {

bool WaveDeviceFactoryInstalled() {
  return static_cast<bool>(Service(&Services::makeWaveOut)) || static_cast<bool>(Service(&Services::makeWaveIn));
}

std::unique_ptr<WaveOut> CreateWaveOut() {
  if (const auto make = Service(&Services::makeWaveOut)) return make();
  return std::make_unique<AlsaWaveOut>();
}

std::unique_ptr<WaveIn> CreateWaveIn() {
  if (const auto make = Service(&Services::makeWaveIn)) return make();
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
