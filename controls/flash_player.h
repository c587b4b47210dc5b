// NFlash: the player of a reminder's Flash movie. It reads the movie's
// header itself (frame count, frame rate, stage colour) and runs the
// timeline on a 100 ms timer, showing the stage colour, the movie's name and
// the frame position; a playing movie stops on its last frame instead of
// looping. A movie that cannot be read has the frame count -1: its timer then
// runs until playing is switched off. The right button does nothing here.
#pragma once

#include "controls/swf_header.h"

#include <QBasicTimer>
#include <QFrame>
#include <QString>

namespace orlane {

class NFlash final : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kTimerId = 1000;
  static constexpr int kTickMs = 100;

  explicit NFlash(QWidget* parent = nullptr);
  ~NFlash() override;
  Q_DISABLE_COPY_MOVE(NFlash)

  // Places the player over rect of parent, shows it and loads the movie when
  // one is given. False without a parent.
  bool Create(const QString& moviePath, const QRect& rect, QWidget* parent, int id);
  void Load(const QString& moviePath);
  void Play();
  void SetPlaying(bool playing);
  // One timeline step, as the timer does it.
  void Tick();

  int FrameCount() const { return frameCount_; }
  // 1 .. frame count once a movie is loaded, 0 before.
  int CurrentFrame() const { return currentFrame_; }
  bool IsPlaying() const { return playing_; }
  bool TimerRunning() const { return timer_.isActive(); }
  const SwfHeader& Header() const { return header_; }
  QString MovieName() const { return movieName_; }
  QColor StageColor() const;
  int Id() const { return id_; }

 protected:
  void timerEvent(QTimerEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void StartTimer();
  // Frames the timeline moves on one tick (fractions carried over).
  void Advance();

  QBasicTimer timer_;
  SwfHeader header_;
  QString movieName_;
  int frameCount_ = -1;
  int currentFrame_ = 0;
  int frameFraction256_ = 0;  // in 1/256 frame, times ten ticks a second
  bool playing_ = false;
  int id_ = 0;
};

}  // namespace orlane
