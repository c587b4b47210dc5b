#include "platform/clock.h"

#include <QDateTime>

namespace orlane {

namespace {
ClockSource& Source() {
  static ClockSource source;
  return source;
}
}  // namespace

qint64 NowMs() {
  if (Source()) return Source()();
  return QDateTime::currentMSecsSinceEpoch();
}

std::time_t NowSeconds() {
  const qint64 ms = NowMs();
  // Floor, so a time just before the epoch does not round up into it.
  return static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
}

void SetClockSourceForTesting(ClockSource source) {
  Source() = std::move(source);
}

TestClock::TestClock(qint64 startMs) : nowMs_(startMs) {
  SetClockSourceForTesting([this] { return nowMs_; });
}

TestClock::~TestClock() {
  SetClockSourceForTesting({});
}

}  // namespace orlane
