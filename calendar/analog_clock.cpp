#include "calendar/analog_clock.h"

#include "platform/clock.h"
#include "platform/local_time.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace orlane {

CAnalogClock::CAnalogClock(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &CAnalogClock::Tick);
}

CAnalogClock::~CAnalogClock() {
  timer_.stop();
}

void CAnalogClock::ComputeGeometry() {
  geometry_ = ClockGeometry::ForSize(width(), height());
  RepaintFace();
}

void CAnalogClock::RepaintFace() {
  if (width() <= 0 || height() <= 0) return;
  if (!geometry_.computed() || image_.size() != size()) {
    geometry_ = ClockGeometry::ForSize(width(), height());
    image_ = QImage(size(), QImage::Format_RGB32);
  }
  PaintClockFace(image_, geometry_, colors_, options_, shown_);
  ++fullRepaints_;
  lastDirty_ = rect();
  update();
}

void CAnalogClock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ComputeGeometry();
}

void CAnalogClock::paintEvent(QPaintEvent* event) {
  if (!geometry_.computed() || image_.size() != size()) ComputeGeometry();
  QPainter p(this);
  p.drawImage(event->rect(), image_, event->rect());
}

void CAnalogClock::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (running_) SetRunning(true);
}

void CAnalogClock::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
}

void CAnalogClock::SetRunning(bool running) {
  running_ = running;
  if (!running) {
    timer_.stop();
    return;
  }
  RepaintFace();
  if (!timer_.isActive() && isVisible()) StartTimer();
}

void CAnalogClock::StartTimer() {
  Tick();
  timer_.start();
}

void CAnalogClock::Tick() {
  const std::time_t now = NowSeconds();
  const std::tm tm = LocalTm(now);
  UpdateTime(tm.tm_hour % 12, tm.tm_min, tm.tm_sec);
  // A screen reader hears the time once a minute, never each second.
  if (const QString spoken = FormatLocalTime("%H:%M", now); spoken != spokenTime_) {
    spokenTime_ = spoken;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

QString CAnalogClock::SpokenTime() const {
  return spokenTime_.isEmpty() ? FormatLocalTime("%H:%M", NowSeconds()) : spokenTime_;
}

QRect CAnalogClock::SecondHandRect(int second) const {
  const ClockPoint tip = geometry_.SecondTip(second);
  return QRect(QPoint(std::min(tip.x, geometry_.centerX), std::min(tip.y, geometry_.centerY)),
               QPoint(std::max(tip.x, geometry_.centerX), std::max(tip.y, geometry_.centerY)));
}

void CAnalogClock::UpdateTime(int hour, int minute, int second) {
  // A face not painted yet at this size (a hidden control gets no resize
  // event) is painted whole.
  if (hour != shown_.hour || minute != shown_.minute || image_.size() != size() || !geometry_.computed()) {
    shown_ = {hour, minute, second};
    RepaintFace();
    if (QWidget* parent = parentWidget()) parent->update(geometry());
    return;
  }
  if (options_.showSecondHand) {
    InvertSecondHand(image_, geometry_, shown_.second);
    InvertSecondHand(image_, geometry_, second);
    lastDirty_ = SecondHandRect(shown_.second).united(SecondHandRect(second));
    update(lastDirty_);
  }
  shown_.second = second;
}

void CAnalogClock::SetShowSecondHand(bool on) {
  if (options_.showSecondHand == on) return;
  options_.showSecondHand = on;
  RepaintFace();
}

void CAnalogClock::SetMinuteDots(bool on) {
  if (options_.minuteDots == on) return;
  options_.minuteDots = on;
  RepaintFace();
}

void CAnalogClock::SetHandOutlineColor(ColorRef c) {
  if (colors_.handOutline == c) return;
  colors_.handOutline = c;
  RepaintFace();
}

void CAnalogClock::SetBackgroundColor(ColorRef c) {
  if (colors_.background == c) return;
  colors_.background = c;
  RepaintFace();
}

}  // namespace orlane
