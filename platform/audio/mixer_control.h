// Volume controls of the sound mixer: the master output, the wave (PCM)
// output and the microphone, each on a 0..65535 scale whatever the device's
// own range, with a change callback; and the choice of the microphone as
// recording source. Without a mixer a control reports unavailable and every
// query -1. CreateMixerControl gives the ALSA control, or the one the
// installed services make (platform/services.h: a test's simulated mixer).
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orlane::audio {

enum class MixerLine { Master, Wave, Microphone };

inline constexpr long kMaxVolume = 65535;

class MixerControl {
 public:
  using ChangeCallback = std::function<void(long value)>;
  virtual ~MixerControl() = default;

  virtual bool available() const = 0;
  // Steps of the device's own range, or -1.
  virtual long steps() const = 0;
  long minimum() const { return available() ? 0 : -1; }
  long maximum() const { return available() ? kMaxVolume : -1; }
  // The value of the first channel, or -1.
  virtual long volume() const = 0;
  // Clamps (compared unsigned, so a negative value counts as too large) and
  // writes every channel. False when unavailable.
  virtual bool setVolume(qint64 value) = 0;
  // Unmutes (enable) or mutes (disable) the line.
  virtual bool enableLine() = 0;
  virtual bool disableLine() = 0;

  // Called with the new value when the volume changes from outside (another
  // program, the desktop's mixer), in the thread that made the control.
  void setChangeCallback(ChangeCallback callback) { onChange_ = std::move(callback); }

 protected:
  void notifyChanged(long value) {
    if (value != -1 && onChange_) onChange_(value);
  }

 private:
  ChangeCallback onChange_;
};

std::unique_ptr<MixerControl> CreateMixerControl(MixerLine line);
// Makes the microphone the recording source; false (and nothing changed)
// when there is no mixer or no microphone among the sources.
bool SelectMicrophoneSource();

// Clamps to 0..65535 as an unsigned comparison.
long ClampVolume(qint64 value);
// Between the 0..65535 scale and a device range, rounding to nearest.
long ToUnitVolume(long native, long nativeMin, long nativeMax);
long ToNativeVolume(long unit, long nativeMin, long nativeMax);

// Names of recording sources that are the microphone: "Microphone",
// "Mic Volumn" and ALSA's "Mic" exactly.
bool IsMicrophoneName(const QString& name);
// The source values after choosing the microphone, or nothing when no source
// is one. Exact names win; failing those, the first name ending in " Mic"
// ("Internal Mic"). A single-choice list gets exactly one source on; a
// multiple-choice list keeps its other sources as they were.
std::optional<std::vector<bool>> ChooseMicrophoneSources(const QStringList& names, const std::vector<bool>& current,
                                                         bool singleChoice);

}  // namespace orlane::audio
