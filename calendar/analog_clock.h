// CAnalogClock: the round (or elliptical) clock face that ticks once a second
// from the local time. It keeps the face in a back buffer: a tick inside the
// same minute only inverts the second hand's old and new lines, a new minute
// repaints the face and the parent area beneath it. The timer runs only while
// the clock is shown and running.
#pragma once

#include "calendar/clock_geometry.h"
#include "calendar/clock_renderer.h"

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace orlane {

class CAnalogClock final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 1000;

  explicit CAnalogClock(QWidget* parent = nullptr);
  ~CAnalogClock() override;
  Q_DISABLE_COPY_MOVE(CAnalogClock)

  void SetRunning(bool running);
  bool Running() const { return running_; }
  bool TimerActive() const { return timer_.isActive(); }

  // Stored only; seen at the next repaint.
  void SetHandFillColor(ColorRef c) { colors_.handFill = c; }
  void SetDialColor(ColorRef c) { colors_.dial = c; }
  void SetLightEdgeColor(ColorRef c) { colors_.lightEdge = c; }
  void SetShowHourHand(bool on) { options_.showHourHand = on; }
  void SetShowMinuteHand(bool on) { options_.showMinuteHand = on; }
  void SetDrawDial(bool on) { options_.drawDial = on; }
  void SetFramedHourTicks(bool on) { options_.framedHourTicks = on; }
  // Redraw at once when the value changes.
  void SetShowSecondHand(bool on);
  void SetMinuteDots(bool on);
  void SetHandOutlineColor(ColorRef c);
  void SetBackgroundColor(ColorRef c);

  // Moves the hands to (hour 0..11, minute, second) as a timer tick does.
  void UpdateTime(int hour, int minute, int second);
  // One tick from the program clock's local time.
  void Tick();
  // The time as assistive technology reads it ("14:05"), changed once a minute.
  QString SpokenTime() const;

  const ClockGeometry& Geometry() const { return geometry_; }
  const ClockColors& Colors() const { return colors_; }
  const ClockOptions& Options() const { return options_; }
  ClockTime Shown() const { return shown_; }
  const QImage& Image() const { return image_; }
  // How often the whole face was repainted, and the area the last update
  // asked to be copied to the screen.
  int FullRepaints() const { return fullRepaints_; }
  QRect LastDirtyRect() const { return lastDirty_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ComputeGeometry();
  void RepaintFace();
  void StartTimer();
  QRect SecondHandRect(int second) const;

  ClockGeometry geometry_;
  ClockColors colors_;
  ClockOptions options_;
  ClockTime shown_;
  QImage image_;
  QTimer timer_;
  bool running_ = true;
  int fullRepaints_ = 0;
  QRect lastDirty_;
  QString spokenTime_;
};

}  // namespace orlane
