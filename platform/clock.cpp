#include "platform/clock.h"

#include <QDateTime>

namespace orlane {

qint64 NowMs() {
  if (const auto clock = Service(&Services::clockMs)) return clock();
  return QDateTime::currentMSecsSinceEpoch();
}

std::time_t NowSeconds() {
  const qint64 ms = NowMs();
  // Floor, so a time just before the epoch does not round up into it.
  return static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
}

TestClock::TestClock(qint64 startMs) : nowMs_(startMs), installed_(&Services::clockMs, [this] { return nowMs_; }) {}

}  // namespace orlane
