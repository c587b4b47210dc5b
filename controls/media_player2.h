// CMediaPlayer2: the media player a reminder plays its sound or movie with.
// A bordered child window holding a video surface, over the media module's
// engine (QMediaPlayer and an audio output). Callers set the options and the
// file name, then wait for ReadyState() to reach 2 (the media can play)
// before Play(). A file that cannot be played never gets there, and nothing
// is said about it; nor is anything played when the module cannot be loaded.
#pragma once

#include "controls/media_engine.h"

#include <QFrame>
#include <QString>

namespace orlane {

class CMediaPlayer2 final : public QFrame {
  Q_OBJECT

 public:
  // Ready states as the callers compare them.
  static constexpr int kUninitialized = kMediaUninitialized;
  static constexpr int kLoading = kMediaLoading;
  static constexpr int kInteractive = kMediaInteractive;
  static constexpr int kComplete = kMediaComplete;

  explicit CMediaPlayer2(QWidget* parent = nullptr);
  ~CMediaPlayer2() override;
  Q_DISABLE_COPY_MOVE(CMediaPlayer2)

  // Display options; the player shows no controls of its own, so they are
  // only kept.
  void SetShowControls(bool on) { showControls_ = on; }
  void SetShowDisplay(bool on) { showDisplay_ = on; }
  void SetShowStatusBar(bool on) { showStatusBar_ = on; }
  // Plays as soon as the media is loaded.
  void SetAutoStart(bool on);
  // How often the media plays in a row (1 and below: once).
  void SetPlayCount(int count);
  // Back to the start when the media has ended.
  void SetAutoRewind(bool on) { autoRewind_ = on; }
  void SetFileName(const QString& path);
  void Play();
  void Stop();

  int ReadyState() const;
  bool AutoStart() const { return autoStart_; }
  int PlayCount() const { return playCount_; }
  bool AutoRewind() const { return autoRewind_; }
  QString FileName() const { return fileName_; }
  bool Playing() const;
  // Whether the loaded media has pictures; a sound file has none.
  bool HasVideo() const;
  // How often the engine plays the media (0 without an engine).
  int EngineLoops() const;

 private:
  MediaEngine* engine_ = nullptr;  // a child object; null when the media module is missing
  QString fileName_;
  bool autoStart_ = false;
  bool autoRewind_ = false;
  bool showControls_ = true;
  bool showDisplay_ = true;
  bool showStatusBar_ = true;
  int playCount_ = 1;
};

}  // namespace orlane
