#include "platform/audio/sim_mixer.h"

#include <algorithm>

namespace orlane::audio {

struct SimMixerState {
  bool present = true;
  SimMixerLine lines[3];
  QStringList sourceNames;
  std::vector<bool> sourceValues;
  bool singleChoice = true;
  int selections = 0;
  std::vector<SimMixerControl*> controls;  // live ones, not owned

  const SimMixerLine* usable(MixerLine l) const {
    const SimMixerLine& line = lines[static_cast<int>(l)];
    return present && line.present && !line.channels.empty() ? &line : nullptr;
  }
};

SimMixerControl::SimMixerControl(std::shared_ptr<SimMixerState> state, MixerLine line)
    : state_(std::move(state)), line_(line) {
  state_->controls.push_back(this);
}

SimMixerControl::~SimMixerControl() {
  auto& v = state_->controls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

bool SimMixerControl::available() const {
  return state_->usable(line_) != nullptr;
}

long SimMixerControl::steps() const {
  const SimMixerLine* l = state_->usable(line_);
  return l ? l->nativeMax - l->nativeMin : -1;
}

long SimMixerControl::volume() const {
  const SimMixerLine* l = state_->usable(line_);
  return l ? ToUnitVolume(l->channels.front(), l->nativeMin, l->nativeMax) : -1;
}

bool SimMixerControl::setVolume(qint64 value) {
  if (!available()) return false;
  SimMixerLine& l = state_->lines[static_cast<int>(line_)];
  const long native = ToNativeVolume(ClampVolume(value), l.nativeMin, l.nativeMax);
  std::fill(l.channels.begin(), l.channels.end(), native);
  return true;
}

bool SimMixerControl::setMuted(bool muted) {
  if (!available()) return false;
  state_->lines[static_cast<int>(line_)].muted = muted;
  return true;
}

namespace {
std::function<bool()> SelectIn(const std::shared_ptr<SimMixerState>& state) {
  return [state]() {
    if (!state->present) return false;
    const auto chosen = ChooseMicrophoneSources(state->sourceNames, state->sourceValues, state->singleChoice);
    if (!chosen) return false;
    state->sourceValues = *chosen;
    ++state->selections;
    return true;
  };
}
}  // namespace

SimulatedMixer::SimulatedMixer()
    : state_(std::make_shared<SimMixerState>()),
      makeControl_(&Services::makeMixerControl,
                   [state = state_](MixerLine line) -> std::unique_ptr<MixerControl> {
                     return std::make_unique<SimMixerControl>(state, line);
                   }),
      selectMicrophone_(&Services::selectMicrophone, SelectIn(state_)) {}

void SimulatedMixer::setPresent(bool present) {
  state_->present = present;
}

SimMixerLine& SimulatedMixer::line(MixerLine line) {
  return state_->lines[static_cast<int>(line)];
}

void SimulatedMixer::setSources(const QStringList& names, const std::vector<bool>& selected, bool singleChoice) {
  state_->sourceNames = names;
  state_->sourceValues = selected;
  state_->singleChoice = singleChoice;
}

std::vector<bool> SimulatedMixer::sources() const {
  return state_->sourceValues;
}

int SimulatedMixer::selections() const {
  return state_->selections;
}

void SimulatedMixer::changeFromOutside(MixerLine line, long nativeValue) {
  SimMixerLine& l = state_->lines[static_cast<int>(line)];
  std::fill(l.channels.begin(), l.channels.end(), nativeValue);
  const std::vector<SimMixerControl*> live = state_->controls;
  for (SimMixerControl* c : live) {
    if (c->line() == line) c->reportChange(c->volume());
  }
}

}  // namespace orlane::audio
