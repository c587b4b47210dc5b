// The sound strand of the day cycle, as the main window calls it: loading the
// day's sound diary under the current password, the Record command with its
// format rule, saving on Stop, Delete and forgetting the day's sound on a day
// change. Pure (no widgets): each step returns what happened and the message
// the user must see.
//
// The day's sound is protected like a diary page: a sound diary written under
// another password is not shown, and is never overwritten (recording on that
// day is refused) nor deleted; a damaged one is kept beside the new file
// before a recording replaces it. A day whose sound the output device cannot
// play still keeps its samples in the temp file and its format, so that a
// recording appends to it in the same format instead of replacing it.
#pragma once

#include "sound/sound_engine.h"

#include <QByteArray>
#include <QString>

namespace orlane {

enum class DaySoundState {
  None,           // no sound diary for the day
  Shown,          // loaded and open in the player
  OtherPassword,  // written under another password: not shown, never touched
  Damaged,        // there, but not a sound the program can read
  Unplayable      // read, but the wave output cannot open it
};

// The loaded day's sound diary file as the last load or save left it.
struct DaySound {
  QString path;  // user folder + DayKey + ".rec"
  DaySoundState state = DaySoundState::None;
  WaveFormat format;       // of the day's sound (Shown, Unplayable)
  qint64 loadedBytes = 0;  // PCM bytes the temp file held after the load
};

enum class SoundOutcome {
  Done,
  NotRecording,     // Stop while playing or stopped: just Stop
  NothingRecorded,  // no new bytes: nothing written
  FormatDiffers,    // Record refused: the day's sound has another rate or depth
  Protected,        // another password's sound: left as it is
  Busy,             // a recording is still being stopped
  DeviceFailed,     // the wave input could not be started
  WriteFailed       // a file could not be written or removed
};

struct SoundResult {
  SoundOutcome outcome = SoundOutcome::Done;
  // What the user must be told (in a themed notice; errorBox: the program's
  // plain error box, as the WAV messages are); empty when nothing.
  QString message;
  bool errorBox = false;
  bool deviceTimedOut = false;  // stopping: buffers the device never handed back
};

// Loading a day's sound (day load in the Sound Diary mode). Busy, and nothing
// changes, while a recording runs or is being stopped.
SoundResult LoadDaySound(SoundEngine& engine, DaySound& day, const QString& path, const QByteArray& password);

// Record (118): the format rule, then the configured format and StartRecording.
SoundResult RecordCommand(SoundEngine& engine, const DaySound& day, int sampleRate, int bitsPerSample);

// Stop (116): Stop; while recording also save the day's earlier sound
// followed by the new recording as the day's sound diary and show it. The
// main window resets its level bar afterwards.
SoundResult StopCommand(SoundEngine& engine, DaySound& day, const QByteArray& password);

// Delete (119): removes the day's sound diary file (only one of ours), then ClearSound.
SoundResult DeleteCommand(SoundEngine& engine, DaySound& day, const QByteArray& password);

// A change of day: ClearSound and forget the day's file (not while recording).
void ForgetDaySound(SoundEngine& engine, DaySound& day);

// The texts of the commands.
QString FormatDiffersMessage();
QString ProtectedSoundMessage();
// Asked before Delete removes the day's sound diary.
QString DeleteSoundQuestion();
// The Save as dialog: default suffix and filter.
inline constexpr char kSaveAsSuffix[] = "wav";
inline constexpr char kSaveAsFilter[] = "WAV File (*.wav)";

}  // namespace orlane
