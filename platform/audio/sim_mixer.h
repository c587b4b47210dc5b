// A simulated mixer for tests: three lines with a device range of the test's
// choosing, a list of recording sources, and changes "from outside" that the
// test makes and the live controls report through their change callbacks on
// the test's thread. While a SimulatedMixer lives, the services' mixer members
// make its controls and choose its sources.
#pragma once

#include "platform/audio/mixer_control.h"
#include "platform/services.h"

#include <memory>

namespace orlane::audio {

struct SimMixerState;

struct SimMixerLine {
  bool present = true;
  long nativeMin = 0;
  long nativeMax = 65535;
  std::vector<long> channels = {0, 0};  // device values, one per channel
  bool muted = false;
};

class SimMixerControl final : public MixerControl {
 public:
  SimMixerControl(std::shared_ptr<SimMixerState> state, MixerLine line);
  ~SimMixerControl() override;
  SimMixerControl(const SimMixerControl&) = delete;
  SimMixerControl& operator=(const SimMixerControl&) = delete;

  bool available() const override;
  long steps() const override;
  long volume() const override;
  bool setVolume(qint64 value) override;
  bool enableLine() override { return setMuted(false); }
  bool disableLine() override { return setMuted(true); }

  MixerLine line() const { return line_; }
  void reportChange(long value) { notifyChanged(value); }

 private:
  bool setMuted(bool muted);

  std::shared_ptr<SimMixerState> state_;
  MixerLine line_;
};

class SimulatedMixer final {
 public:
  SimulatedMixer();
  SimulatedMixer(const SimulatedMixer&) = delete;
  SimulatedMixer& operator=(const SimulatedMixer&) = delete;

  // No mixer at all: every control unavailable, no source selection.
  void setPresent(bool present);
  SimMixerLine& line(MixerLine line);
  void setSources(const QStringList& names, const std::vector<bool>& selected, bool singleChoice);
  std::vector<bool> sources() const;
  int selections() const;
  // Another program sets a line's device value on every channel.
  void changeFromOutside(MixerLine line, long nativeValue);

 private:
  std::shared_ptr<SimMixerState> state_;
  ScopedService<std::function<std::unique_ptr<MixerControl>(MixerLine)>> makeControl_;
  ScopedService<std::function<bool()>> selectMicrophone_;
};

}  // namespace orlane::audio
