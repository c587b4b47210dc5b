// What the Sound Diary mode's controls show, as data the main window applies:
// the enabled state of the six recorder buttons, the calendar and the mode
// switch (refreshed by the 200 ms timer), the level bar's range and position
// from a level message, the mixer sliders' ranges and positions, and the
// keys of the mode. Pure.
#pragma once

#include "sound/recorder_math.h"

#include <Qt>

#include <span>

namespace orlane {

// The recorder buttons' command ids.
namespace recorder_ids {
inline constexpr int kPlay = 115;
inline constexpr int kStop = 116;
inline constexpr int kPause = 117;
inline constexpr int kRecord = 118;
inline constexpr int kDelete = 119;
inline constexpr int kSaveAs = 124;
}  // namespace recorder_ids

struct RecorderButtonStates {
  bool play = false;
  bool record = false;
  bool stop = false;
  bool pause = false;
  bool deleteSound = false;
  bool saveAs = false;
  bool calendar = true;
  bool modeSwitch = true;
  bool operator==(const RecorderButtonStates&) const = default;
  // The state of the button with a recorder command id; false for others.
  bool ForId(int id) const;
};

// The table of the recorder-button timer. busy: a recording is being
// stopped; everything waits until it is saved.
RecorderButtonStates RecorderButtons(bool soundOpen, SoundState state, bool busy = false);

// The level bar after a level message: range 0..full scale, position the
// magnitude (inside the range).
struct LevelBarSetting {
  int minimum = 0;
  int maximum = 128;
  int position = 0;
};
LevelBarSetting LevelBarFor(int fullScale, int magnitude);

// A mixer slider: Master and Wave get minimum / 4096 .. (maximum + 1) / 4096
// and (value + 1) / 4096 with the value taken unsigned; the microphone gets
// minimum / 4096 .. maximum / 4096 and value / 4096. Divisions round toward
// zero. A released slider writes position × 4096.
struct SliderSetting {
  int minimum = 0;
  int maximum = 0;
  int position = 0;
};
SliderSetting OutputSliderSetting(long minimum, long maximum, long value);
SliderSetting MicrophoneSliderSetting(long minimum, long maximum, long value);
inline qint64 SliderVolume(int position) {
  return static_cast<qint64>(position) * 4096;
}

// The keys of the Sound Diary mode. The window's keys reach the main window
// whatever has the focus; the mark keys belong to the sound view when it has
// the focus (with a sound open, stopped or paused: 10 ms per press).
enum class SoundKeyAction {
  None,
  SaveAll,           // Ctrl+S
  ShowConfig,        // Ctrl+G
  ToggleCalendar,    // F2
  Help,              // F1: the topic "rec.htm"
  StartMarkBack,     // Left
  StartMarkForward,  // Right
  EndMarkBack,       // Ctrl+Left
  EndMarkForward,    // Ctrl+Right
};

struct SoundKeyBinding {
  int key;
  Qt::KeyboardModifiers modifiers;
  SoundKeyAction action;
  bool soundView;  // handled by the sound view, not the main window
};

std::span<const SoundKeyBinding> SoundDiaryKeys();
SoundKeyAction SoundKeyActionFor(int key, Qt::KeyboardModifiers modifiers);
// -1 Back, +1 Forward, 0 for the window's keys.
int MarkKeyDirection(SoundKeyAction action);
bool MovesEndMark(SoundKeyAction action);

inline constexpr char kSoundHelpTopic[] = "rec.htm";

}  // namespace orlane
