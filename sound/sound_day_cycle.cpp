#include "sound/sound_day_cycle.h"

#include "platform/file_io.h"
#include "security/scramble.h"
#include "sound/sound_day_file.h"

#include <QFile>

namespace orlane {

namespace {

SoundResult Told(SoundOutcome outcome, const QString& message = {}, bool errorBox = false) {
  SoundResult r;
  r.outcome = outcome;
  r.message = message;
  r.errorBox = errorBox;
  return r;
}

// Whether the file now on disk was written under another password (another
// writer may have replaced it since the load).
bool OnDiskUnderOtherPassword(const QString& path, const QByteArray& password) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray header = file.read(kPasswordHeaderSize);
  return CheckPasswordHeader(header, password) == PasswordHeaderCheck::OtherPassword;
}

QString WriteFailure(const QString& what, const QString& path) {
  return QStringLiteral("%1 could not be written:\n%2\n%3").arg(what, path, LastFileError());
}

}  // namespace

QString FormatDiffersMessage() {
  return QStringLiteral(
      "The current recording format is different with the format of the sound recorded before, please reajust the "
      "format using config or delete the old record.");
}

QString ProtectedSoundMessage() {
  return QStringLiteral(
      "This day's sound diary was recorded under another password. It is kept as it is, so no new sound can be "
      "recorded on this day.");
}

QString DeleteSoundQuestion() {
  return QStringLiteral("Do you want to delete the sound diary of this day? It cannot be undone.");
}

SoundResult LoadDaySound(SoundEngine& engine, DaySound& day, const QString& path, const QByteArray& password) {
  // Never while a recording is on its way into the temp file.
  if (engine.Busy() || engine.State() == SoundState::Recording || engine.InputOpen()) return Told(SoundOutcome::Busy);
  day = DaySound{};
  day.path = path;
  const SoundDay stored = LoadSoundDay(path, password);
  switch (stored.state) {
    case SoundDayState::None: engine.ClosePlayer(); return {};
    case SoundDayState::OtherPassword:
      engine.ClosePlayer();
      day.state = DaySoundState::OtherPassword;
      return {};
    case SoundDayState::Damaged:
      engine.ClosePlayer();
      day.state = DaySoundState::Damaged;
      return Told(SoundOutcome::Done, WavErrorMessage(stored.image.error), true);
    case SoundDayState::Loaded: break;
  }
  day.format = stored.image.format;
  day.loadedBytes = stored.image.pcm.size();
  // The temp file holds the day's samples before anything else, so that a
  // recording is appended to them even when the sound cannot be played.
  const QString temp = engine.TempFilePath();
  SoundResult result;
  // A temp file left by an earlier run is replaced by a new one, private
  // from its creation on (a replaced file would keep a wider mode).
  static_cast<void>(RemoveFileForced(temp));  // a failure shows in the write below
  if (AtomicWriteFile(temp, stored.image.pcm) != WriteResult::Written) {
    day.loadedBytes = 0;
    result = Told(SoundOutcome::WriteFailed, WriteFailure(QStringLiteral("The recording file"), temp));
  }
  const SoundLoadResult opened = engine.OpenSound(stored.image.format, stored.image.pcm);
  day.state = opened.result == 1 ? DaySoundState::Shown : DaySoundState::Unplayable;
  if (opened.result != 1) return Told(SoundOutcome::Done, opened.message, true);
  return result;
}

SoundResult RecordCommand(SoundEngine& engine, const DaySound& day, int sampleRate, int bitsPerSample) {
  if (engine.Busy()) return Told(SoundOutcome::Busy);
  if (engine.State() != SoundState::Stopped) return Told(SoundOutcome::Busy);
  if (day.state == DaySoundState::OtherPassword) return Told(SoundOutcome::Protected, ProtectedSoundMessage());
  const bool daySound = engine.IsSoundOpen() || day.state == DaySoundState::Unplayable;
  const WaveFormat& soundFormat = engine.IsSoundOpen() ? engine.Format() : day.format;
  if (daySound && FormatDiffersFromSettings(soundFormat, sampleRate, bitsPerSample))
    return Told(SoundOutcome::FormatDiffers, FormatDiffersMessage());
  engine.SetFormat(RecordingFormat(sampleRate, bitsPerSample));
  if (engine.StartRecording() != 1)
    return Told(SoundOutcome::DeviceFailed, QStringLiteral("The sound input could not be opened for recording."));
  return {};
}

SoundResult StopCommand(SoundEngine& engine, DaySound& day, const QByteArray& password) {
  // Recording, or stopped by another way while the input still runs.
  if (engine.State() != SoundState::Recording && !engine.InputOpen()) {
    engine.Stop();
    return Told(SoundOutcome::NotRecording);
  }
  engine.Stop();
  const WaveFormat format = engine.Format();
  FinishedRecording done = engine.FinishRecording();
  SoundResult result;
  if (done.stop == SoundRecorder::StopResult::TimedOut) {
    result.deviceTimedOut = true;
    result.message = QStringLiteral(
        "The sound device did not hand back the last part of the recording; the recording was kept without it.");
  }
  if (!done.read) {
    result.outcome = SoundOutcome::WriteFailed;
    result.message = QStringLiteral("The recording could not be read back from:\n%1").arg(engine.TempFilePath());
    return result;
  }
  if (done.pcm.size() <= day.loadedBytes) {
    // Nothing new: the day's file stays as it is; show its sound again.
    result.outcome = SoundOutcome::NothingRecorded;
    if (!done.pcm.isEmpty() && day.state == DaySoundState::Shown) engine.OpenSound(day.format, std::move(done.pcm));
    return result;
  }
  if (OnDiskUnderOtherPassword(day.path, password)) {
    day.state = DaySoundState::OtherPassword;
    return Told(SoundOutcome::Protected, ProtectedSoundMessage());
  }
  if (day.state == DaySoundState::Damaged && FileExists(day.path) &&
      KeepFileCopy(day.path, QStringLiteral(".damaged")).isEmpty())
    return Told(SoundOutcome::WriteFailed, WriteFailure(QStringLiteral("A copy of the damaged sound diary"), day.path));
  if (SaveSoundDay(day.path, password, format, done.pcm) != WriteResult::Written) {
    result.outcome = SoundOutcome::WriteFailed;
    result.message = WriteFailure(QStringLiteral("The sound diary"), day.path) +
                     QStringLiteral("\nThe recording is kept until the day changes.");
    return result;
  }
  day.state = DaySoundState::Shown;
  day.format = format;
  day.loadedBytes = done.pcm.size();
  const SoundLoadResult opened = engine.OpenSound(format, std::move(done.pcm));
  if (opened.result != 1) {
    day.state = DaySoundState::Unplayable;
    result.message = opened.message;
    result.errorBox = true;
  }
  return result;
}

SoundResult DeleteCommand(SoundEngine& engine, DaySound& day, const QByteArray& password) {
  if (engine.Busy() || engine.State() == SoundState::Recording) return Told(SoundOutcome::Busy);
  const bool ours = day.state == DaySoundState::Shown || day.state == DaySoundState::Unplayable;
  if (!ours || OnDiskUnderOtherPassword(day.path, password)) return Told(SoundOutcome::Protected);
  if (RemoveFileForced(day.path) != WriteResult::Written)
    return Told(SoundOutcome::WriteFailed,
                QStringLiteral("The sound diary could not be deleted:\n%1\n%2").arg(day.path, LastFileError()));
  engine.ClearSound();
  day.state = DaySoundState::None;
  day.loadedBytes = 0;
  return {};
}

void ForgetDaySound(SoundEngine& engine, DaySound& day) {
  if (engine.State() == SoundState::Recording || engine.Busy()) return;
  engine.ClearSound();
  day = DaySound{};
}

}  // namespace orlane
