// A mixer volume control over the ALSA simple mixer of the default card:
// "Master" and "PCM" playback volumes, the microphone's capture volume
// ("Mic", else "Capture"). Changes made elsewhere arrive through the mixer's
// poll descriptors, watched by socket notifiers in the Qt event loop of the
// thread that made the control.
#pragma once

#include "platform/audio/mixer_control.h"

#include <alsa/asoundlib.h>

#include <QSocketNotifier>

#include <memory>
#include <vector>

namespace orlane::audio {

struct MixerCloser {
  void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// The default card's simple mixer, loaded; null when there is none.
MixerHandle OpenAlsaMixer();

class AlsaMixerControl final : public MixerControl {
 public:
  explicit AlsaMixerControl(MixerLine line);
  ~AlsaMixerControl() override;
  AlsaMixerControl(const AlsaMixerControl&) = delete;
  AlsaMixerControl& operator=(const AlsaMixerControl&) = delete;

  bool available() const override { return elem_ != nullptr; }
  long steps() const override;
  long volume() const override;
  bool setVolume(qint64 value) override;
  bool enableLine() override { return setSwitch(true); }
  bool disableLine() override { return setSwitch(false); }

 private:
  bool setSwitch(bool on);
  void watchChanges();
  void onMixerEvent();

  MixerHandle mixer_;
  snd_mixer_elem_t* elem_ = nullptr;  // owned by mixer_
  bool capture_ = false;              // the element's capture side, not playback
  long nativeMin_ = 0;
  long nativeMax_ = 0;
  long lastSeen_ = -1;
  std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
};

bool AlsaSelectMicrophoneSource();

}  // namespace orlane::audio
