#include "sound/recorder_controls.h"

#include <algorithm>
#include <array>

namespace orlane {

bool RecorderButtonStates::ForId(int id) const {
  switch (id) {
    case recorder_ids::kPlay: return play;
    case recorder_ids::kStop: return stop;
    case recorder_ids::kPause: return pause;
    case recorder_ids::kRecord: return record;
    case recorder_ids::kDelete: return deleteSound;
    case recorder_ids::kSaveAs: return saveAs;
    default: return false;
  }
}

RecorderButtonStates RecorderButtons(bool soundOpen, SoundState state, bool busy) {
  RecorderButtonStates s;
  if (busy) {
    s.calendar = false;
    s.modeSwitch = false;
    return s;
  }
  const bool recording = state == SoundState::Recording;
  if (recording) {
    s.stop = true;
    s.modeSwitch = false;
    s.calendar = soundOpen;
    return s;
  }
  if (!soundOpen) {
    s.record = true;
    return s;
  }
  switch (state) {
    case SoundState::Stopped: s.play = s.record = s.deleteSound = s.saveAs = true; break;
    case SoundState::Playing: s.stop = s.pause = true; break;
    case SoundState::Paused: s.play = s.stop = true; break;
    case SoundState::Recording: break;
  }
  return s;
}

LevelBarSetting LevelBarFor(int fullScale, int magnitude) {
  LevelBarSetting s;
  s.maximum = std::max(1, fullScale);
  s.position = std::clamp(magnitude, 0, s.maximum);
  return s;
}

SliderSetting OutputSliderSetting(long minimum, long maximum, long value) {
  SliderSetting s;
  s.minimum = static_cast<int>(minimum / 4096);
  s.maximum = static_cast<int>((maximum + 1) / 4096);
  s.position = static_cast<int>((static_cast<quint32>(value) + 1u) / 4096u);
  return s;
}

SliderSetting MicrophoneSliderSetting(long minimum, long maximum, long value) {
  return {static_cast<int>(minimum / 4096), static_cast<int>(maximum / 4096), static_cast<int>(value / 4096)};
}

namespace {
constexpr std::array<SoundKeyBinding, 8> kKeys{{
    {Qt::Key_S, Qt::ControlModifier, SoundKeyAction::SaveAll, false},
    {Qt::Key_G, Qt::ControlModifier, SoundKeyAction::ShowConfig, false},
    {Qt::Key_F2, Qt::NoModifier, SoundKeyAction::ToggleCalendar, false},
    {Qt::Key_F1, Qt::NoModifier, SoundKeyAction::Help, false},
    {Qt::Key_Left, Qt::NoModifier, SoundKeyAction::StartMarkBack, true},
    {Qt::Key_Right, Qt::NoModifier, SoundKeyAction::StartMarkForward, true},
    {Qt::Key_Left, Qt::ControlModifier, SoundKeyAction::EndMarkBack, true},
    {Qt::Key_Right, Qt::ControlModifier, SoundKeyAction::EndMarkForward, true},
}};
}  // namespace

std::span<const SoundKeyBinding> SoundDiaryKeys() {
  return kKeys;
}

SoundKeyAction SoundKeyActionFor(int key, Qt::KeyboardModifiers modifiers) {
  // Only Ctrl tells keys apart; Shift, Alt and the keypad flag do not.
  const Qt::KeyboardModifiers ctrl = modifiers & Qt::ControlModifier;
  for (const SoundKeyBinding& b : kKeys)
    if (b.key == key && b.modifiers == ctrl) return b.action;
  return SoundKeyAction::None;
}

int MarkKeyDirection(SoundKeyAction action) {
  switch (action) {
    case SoundKeyAction::StartMarkBack:
    case SoundKeyAction::EndMarkBack: return -1;
    case SoundKeyAction::StartMarkForward:
    case SoundKeyAction::EndMarkForward: return 1;
    default: return 0;
  }
}

bool MovesEndMark(SoundKeyAction action) {
  return action == SoundKeyAction::EndMarkBack || action == SoundKeyAction::EndMarkForward;
}

}  // namespace orlane
