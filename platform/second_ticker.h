// SecondTicker: the program's one clock tick. It fires at the start of every
// second of the program clock (a timer re-armed to the next whole second, so
// it keeps to the wall clock) and says when the local date changed since the
// previous tick, however late that tick came. The windows, the scheduler and
// the desk widget all follow these two signals.
#pragma once

#include <QObject>
#include <QTimer>
#include <ctime>

namespace orlane {

class SecondTicker final : public QObject {
  Q_OBJECT

 public:
  explicit SecondTicker(QObject* parent = nullptr);

  void start();
  void stop();
  bool isActive() const { return timer_.isActive(); }
  // One tick now (tests with a set clock call it instead of waiting).
  void tickNow();

  // Milliseconds from nowMs to the start of the next second.
  static int MsUntilNextSecond(qint64 nowMs);

 Q_SIGNALS:
  void tick(std::time_t now);
  void dayChanged();

 private:
  void arm();

  QTimer timer_;
  qint64 day_ = 0;  // the local date of the last tick, as one number
};

}  // namespace orlane
