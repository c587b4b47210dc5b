#include "sound/sound_engine.h"

#include "platform/app_paths.h"
#include "platform/audio/mixer_control.h"
#include "platform/file_io.h"

#include <QCoreApplication>

namespace orlane {

SoundEngine::SoundEngine(QObject* parent)
    : QObject(parent),
      recorder_(state_, {[this](InputLevel level) {
                           QMetaObject::invokeMethod(
                               this, [this, level] { Q_EMIT soundLevel(level.fullScale, level.magnitude); },
                               Qt::QueuedConnection);
                         },
                         [this] {
                           QMetaObject::invokeMethod(
                               this, [this] { Q_EMIT repaintNeeded(true); }, Qt::QueuedConnection);
                         }}),
      player_([this](quint64 generation) {
        QMetaObject::invokeMethod(
            this, [this, generation] { OnPlaybackEnded(generation); }, Qt::QueuedConnection);
      }) {
  positionTimer_.setInterval(kPositionTimerMs);
  connect(&positionTimer_, &QTimer::timeout, this, &SoundEngine::PositionTick);
}

SoundEngine::~SoundEngine() {
  ClosePlayer();
  SetState(SoundState::Stopped);
  recorder_.Abort();
  // The temporary file goes with the engine; one left behind is replaced at the next recording.
  if (!TempFilePath().isEmpty()) static_cast<void>(RemoveFileForced(TempFilePath()));
}

QString SoundEngine::TempFilePath() const {
  if (!tempPath_.isEmpty()) return tempPath_;
  // Without a user folder there is no temp file (never one in the working folder).
  return UserFolder().isEmpty() ? QString() : UserFilePath(kRecordingTempFileName);
}

// ---- recording

int SoundEngine::StartRecording() {
  if (State() != SoundState::Stopped || busy_ || TempFilePath().isEmpty()) return 0;
  ClosePlayer();
  audio::SelectMicrophoneSource();
  // Recording before the device starts, so that the first buffer back is
  // queued again rather than taken for the end of a recording.
  SetState(SoundState::Recording);
  if (recorder_.Start(format_, TempFilePath()) != 1) {
    SetState(SoundState::Stopped);
    return 0;
  }
  Q_EMIT repaintNeeded(true);
  return 1;
}

SoundRecorder::StopResult SoundEngine::StopRecording() {
  if (busy_) return SoundRecorder::StopResult::NotRecording;
  if (State() == SoundState::Recording) SetState(SoundState::Stopped);
  busy_ = true;
  // Paints and posted events go on while the buffers come back; the user's
  // clicks and keys wait until the recording is closed.
  const auto result = recorder_.Stop([] {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 4);
  });
  busy_ = false;
  Q_EMIT repaintNeeded(true);
  return result;
}

FinishedRecording SoundEngine::FinishRecording() {
  FinishedRecording done;
  done.stop = StopRecording();
  if (done.stop == SoundRecorder::StopResult::NotRecording) return done;
  // No temp file: nothing was recorded, and nothing was there before.
  const FileReadResult read = ReadFileBytes(TempFilePath(), done.pcm, qint64(1) << 31);
  done.read = read == FileReadResult::Ok || read == FileReadResult::Missing;
  return done;
}

// ---- playback

int SoundEngine::Play() {
  if (State() == SoundState::Recording || !IsSoundOpen()) return 0;
  if (State() == SoundState::Stopped) {
    const qint64 position = GetPlayPosition();
    SeekTo(position < DataLength() - 1 && position != 0 ? startMark_ : 0);
    if (!player_.Write()) {
      SetState(SoundState::Stopped);
      return 0;
    }
  } else if (State() == SoundState::Paused) {
    if (!player_.Restart()) return 0;
  }
  SetState(SoundState::Playing);
  if (!positionTimer_.isActive()) positionTimer_.start();
  return 1;
}

void SoundEngine::Pause() {
  // Only what plays can pause: a paused device with nothing queued would
  // leave Play waiting for an end that never comes.
  if (!IsSoundOpen() || State() != SoundState::Playing) return;
  player_.Pause();
  SetState(SoundState::Paused);
}

void SoundEngine::Stop() {
  if (IsSoundOpen()) {
    positionTimer_.stop();
    player_.Reset();
    SeekTo(0);
  }
  SetState(SoundState::Stopped);
}

int SoundEngine::SeekTo(qint64 offset) {
  if (!IsSoundOpen()) return 0;
  qint64 aligned = AlignToSample(offset, format_.bitsPerSample);
  if (aligned >= DataLength()) aligned = AlignToSample(DataLength() - 1, format_.bitsPerSample);
  player_.Rewind(aligned);
  const SoundState state = State();
  if (state == SoundState::Playing || state == SoundState::Paused) {
    if (!player_.Write()) {
      positionTimer_.stop();
      SetState(SoundState::Stopped);
      return 0;
    }
    if (state == SoundState::Paused) player_.Pause();
  }
  startMark_ = player_.HeaderStart();
  Q_EMIT repaintNeeded(false);
  return 1;
}

void SoundEngine::SetEndMark(qint64 offset) {
  endMark_ = offset == -1 ? -1 : AlignToSample(offset, format_.bitsPerSample);
  Q_EMIT repaintNeeded(true);
}

qint64 SoundEngine::GetPlayPosition() const {
  return IsSoundOpen() ? player_.Position() : 0;
}

void SoundEngine::ClosePlayer() {
  const SoundState state = State();
  if (state == SoundState::Playing || state == SoundState::Paused) Stop();
  if (IsSoundOpen()) {
    positionTimer_.stop();
    player_.Close();
    Q_EMIT soundChanged();
  }
}

void SoundEngine::ClearSound() {
  if (State() == SoundState::Recording || busy_) return;
  recorder_.Abort();
  // The temporary file goes with the engine; one left behind is replaced at the next recording.
  if (!TempFilePath().isEmpty()) static_cast<void>(RemoveFileForced(TempFilePath()));
  ClosePlayer();
  startMark_ = 0;
  endMark_ = -1;
  Q_EMIT repaintNeeded(true);
}

void SoundEngine::OnPlaybackEnded(quint64 generation) {
  if (generation != player_.Generation() || State() != SoundState::Playing) return;
  positionTimer_.stop();
  SetState(SoundState::Stopped);
  Q_EMIT repaintNeeded(false);
}

void SoundEngine::PositionTick() {
  // The timer runs only while playing.
  if (State() != SoundState::Playing) {
    positionTimer_.stop();
    return;
  }
  Q_EMIT repaintNeeded(false);
  if (endMark_ >= 0 && GetPlayPosition() >= endMark_) {
    const qint64 start = startMark_;
    Stop();
    SeekTo(start);
  }
}

// ---- mouse and keys

void SoundEngine::LeftClick(int x, int width) {
  if (State() == SoundState::Recording) return;
  const qint64 offset = OffsetAtX(x, width, DataLength());
  startMark_ = offset;
  SeekTo(offset);
}

void SoundEngine::RightClick(int x, int width) {
  if (State() == SoundState::Recording) return;
  SetEndMark(OffsetAtX(x, width, DataLength()));
}

bool SoundEngine::ArrowKey(int direction, bool ctrl) {
  const SoundState state = State();
  if (!IsSoundOpen()) return true;
  if (state != SoundState::Stopped && state != SoundState::Paused) return false;
  const qint64 step = KeyStepBytes(format_.averageBytesPerSecond);
  if (ctrl)
    SetEndMark(StepMark(endMark_, direction, step, DataLength()));
  else
    SeekTo(StepMark(startMark_, direction, step, DataLength()));
  return true;
}

}  // namespace orlane
