#include "platform/second_ticker.h"

#include "platform/clock.h"
#include "platform/local_time.h"

namespace orlane {

namespace {
qint64 DayNumber(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return (static_cast<qint64>(d.year) * 13 + d.month) * 32 + d.day;
}
}  // namespace

SecondTicker::SecondTicker(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] {
    tickNow();
    arm();
  });
}

int SecondTicker::MsUntilNextSecond(qint64 nowMs) {
  const qint64 into = ((nowMs % 1000) + 1000) % 1000;
  return static_cast<int>(1000 - into);
}

void SecondTicker::start() {
  if (day_ == 0) day_ = DayNumber(NowSeconds());
  arm();
}

void SecondTicker::stop() {
  timer_.stop();
}

void SecondTicker::arm() {
  timer_.start(MsUntilNextSecond(NowMs()));
}

void SecondTicker::tickNow() {
  const std::time_t now = NowSeconds();
  Q_EMIT tick(now);
  const qint64 day = DayNumber(now);
  if (day_ == 0) day_ = day;
  if (day == day_) return;
  day_ = day;
  Q_EMIT dayChanged();
}

}  // namespace orlane
