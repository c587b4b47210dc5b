#include "platform/audio/mixer_control.h"

#include "platform/audio/alsa_mixer.h"
#include "platform/services.h"

#include <algorithm>
#include <cmath>

namespace orlane::audio {

std::unique_ptr<MixerControl> CreateMixerControl(MixerLine line) {
  if (const auto make = Service(&Services::makeMixerControl)) return make(line);
  return std::make_unique<AlsaMixerControl>(line);
}

bool SelectMicrophoneSource() {
  if (const auto select = Service(&Services::selectMicrophone)) return select();
  return AlsaSelectMicrophoneSource();
}

long ClampVolume(qint64 value) {
  const quint64 u = static_cast<quint64>(value);
  return u > static_cast<quint64>(kMaxVolume) ? kMaxVolume : static_cast<long>(u);
}

long ToUnitVolume(long native, long nativeMin, long nativeMax) {
  if (nativeMax <= nativeMin) return 0;
  const long n = std::clamp(native, nativeMin, nativeMax);
  return std::lround(static_cast<double>(n - nativeMin) * kMaxVolume / static_cast<double>(nativeMax - nativeMin));
}

long ToNativeVolume(long unit, long nativeMin, long nativeMax) {
  if (nativeMax <= nativeMin) return nativeMin;
  const long u = std::clamp(unit, 0L, kMaxVolume);
  return nativeMin + std::lround(static_cast<double>(u) * static_cast<double>(nativeMax - nativeMin) / kMaxVolume);
}

bool IsMicrophoneName(const QString& name) {
  return name == QLatin1String("Microphone") || name == QLatin1String("Mic Volumn") || name == QLatin1String("Mic");
}

std::optional<std::vector<bool>> ChooseMicrophoneSources(const QStringList& names, const std::vector<bool>& current,
                                                         bool singleChoice) {
  std::vector<bool> match(static_cast<std::size_t>(names.size()), false);
  bool any = false;
  for (qsizetype i = 0; i < names.size(); ++i) {
    match[static_cast<std::size_t>(i)] = IsMicrophoneName(names[i]);
    any = any || match[static_cast<std::size_t>(i)];
  }
  if (!any) {
    for (qsizetype i = 0; i < names.size() && !any; ++i) {
      if (names[i].endsWith(QLatin1String(" Mic"))) match[static_cast<std::size_t>(i)] = any = true;
    }
  }
  if (!any) return std::nullopt;
  if (singleChoice) {
    // One source on: the first microphone.
    const auto first = std::find(match.begin(), match.end(), true);
    std::vector<bool> out(match.size(), false);
    out[static_cast<std::size_t>(first - match.begin())] = true;
    return out;
  }
  std::vector<bool> out = current;
  out.resize(match.size(), false);
  for (std::size_t i = 0; i < match.size(); ++i) {
    if (match[i]) out[i] = true;
  }
  return out;
}

}  // namespace orlane::audio
