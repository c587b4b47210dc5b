// The recorder and player behind the sound view: the format record, the
// state machine (Stopped, Playing, Paused, Recording), the wave input
// pipeline that records into the recording temp file, the wave output over
// the loaded sound with its start and end marks, the 30 ms position timer,
// what a click or an arrow key does, and the WAV files it reads and writes.
// No widgets: the view (CSoundWaveWnd) paints from it and forwards its input.
//
// Device callbacks never touch the engine directly: the level of each
// recorded buffer, the growth of the temp file and the end of playback are
// posted to the engine's thread and arrive as the signals below.
#pragma once

#include "sound/recorder_math.h"
#include "sound/sound_player.h"
#include "sound/sound_recorder.h"

#include <QObject>
#include <QTimer>

#include <atomic>

namespace orlane {

// What loading a sound found: 1 loaded, -1 a format or read error, -2 the
// wave output cannot play it; the error number and the message to show.
struct SoundLoadResult {
  int result = 0;
  int error = 0;
  QString message;
};

// A recording taken out of the wave input: how the stop went and the temp
// file's PCM bytes (the day's earlier sound followed by the new recording).
struct FinishedRecording {
  SoundRecorder::StopResult stop = SoundRecorder::StopResult::NotRecording;
  bool read = false;  // the temp file could be read
  QByteArray pcm;
};

class SoundEngine final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPositionTimerMs = 30;

  explicit SoundEngine(QObject* parent = nullptr);
  ~SoundEngine() override;
  Q_DISABLE_COPY_MOVE(SoundEngine)

  // The format record: the format of the next recording and, once a sound
  // is loaded, the format of that sound.
  const WaveFormat& Format() const { return format_; }
  void SetFormat(const WaveFormat& format) { format_ = format; }
  SoundState State() const { return static_cast<SoundState>(state_.load()); }
  bool IsSoundOpen() const { return player_.IsOpen(); }
  qint64 DataLength() const { return player_.DataLength(); }
  QByteArrayView Data() const { return player_.Data(); }
  QByteArray DataBytes() const { return player_.Bytes(); }
  qint64 StartMark() const { return startMark_; }
  qint64 EndMark() const { return endMark_; }
  float RecordedSeconds() const { return recorder_.RecordedSeconds(); }
  // A recording is being stopped: the engine waits for the device's buffers.
  bool Busy() const { return busy_; }

  // 1 started; 0 refused (not Stopped, busy, unsupported format) or failed.
  int StartRecording();
  // Waits (bounded, the window stays responsive) for the input buffers,
  // closes the wave input and frees the record memory. Sets Stopped first.
  SoundRecorder::StopResult StopRecording();
  // StopRecording, then the temp file's bytes.
  FinishedRecording FinishRecording();

  int Play();
  void Pause();
  void Stop();
  int SeekTo(qint64 offset);
  // -1 clears the end mark.
  void SetEndMark(qint64 offset);
  qint64 GetPlayPosition() const;
  void ClosePlayer();
  // Forgets the day's sound: the temp file, the player, the view's image and
  // the record memory. Does nothing while recording.
  void ClearSound();

  // Opens the player over a sound already parsed.
  SoundLoadResult OpenSound(const WaveFormat& format, QByteArray pcm);
  SoundLoadResult LoadWaveFromMemory(QByteArrayView bytes);
  // The WAV image of the temp file to path (after StopRecording); 1 or 0.
  int SaveRecordingAsWave(const QString& path);
  // The WAV image of the bytes from the start mark to the end mark (or the
  // end of the sound); 0 when that is nothing or the write failed.
  int SaveSelectionAsWave(const QString& path) const;

  // A click at x in a view width pixels wide; ignored while recording.
  void LeftClick(int x, int width);
  void RightClick(int x, int width);
  // An arrow key with or without Ctrl; true when the key is used up.
  bool ArrowKey(int direction, bool ctrl);
  // One tick of the 30 ms position timer: repaint, and stop at the end mark.
  void PositionTick();

  QString TempFilePath() const;
  void SetTempFilePath(const QString& path) { tempPath_ = path; }
  void SetDrainTimeout(int ms) { recorder_.SetDrainTimeout(ms); }
  int InputBufferCount() const { return recorder_.BufferCount(); }
  quint32 InputBufferBytes() const { return recorder_.BufferBytes(); }
  bool InputOpen() const { return recorder_.InputOpen(); }
  bool PositionTimerActive() const { return positionTimer_.isActive(); }

 Q_SIGNALS:
  // The input level of a recorded buffer (the level message 40001).
  void soundLevel(int fullScale, int magnitude);
  // The view must repaint (erase: the whole background too).
  void repaintNeeded(bool erase);
  // A sound was opened or closed: the waveform image must be rebuilt.
  void soundChanged();

 private:
  void SetState(SoundState state) { state_.store(static_cast<int>(state)); }
  void OnPlaybackEnded(quint64 generation);

  std::atomic<int> state_{static_cast<int>(SoundState::Stopped)};
  WaveFormat format_;
  SoundRecorder recorder_;
  SoundPlayer player_;
  qint64 startMark_ = 0;
  qint64 endMark_ = -1;
  QTimer positionTimer_;
  QString tempPath_;
  bool busy_ = false;
};

}  // namespace orlane
