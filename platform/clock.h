// The one source of the current time. Everything that asks "what time is it"
// (scheduler, title line, calendar's today, log lines) goes through here: the
// installed services' clock (platform/services.h), so tests can set the time
// instead of waiting for it.
#pragma once

#include "platform/services.h"

#include <QtGlobal>
#include <ctime>

namespace orlane {

// Milliseconds since the Unix epoch.
qint64 NowMs();
// Seconds since the Unix epoch (the program's 64-bit time values).
std::time_t NowSeconds();

// A settable clock for tests: the services' clock while it lives; the earlier
// clock comes back when it goes away.
class TestClock final {
 public:
  explicit TestClock(qint64 startMs);
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;

  void setMs(qint64 ms) { nowMs_ = ms; }
  void setSeconds(std::time_t s) { nowMs_ = static_cast<qint64>(s) * 1000; }
  void advanceMs(qint64 ms) { nowMs_ += ms; }
  qint64 ms() const { return nowMs_; }

 private:
  qint64 nowMs_;
  ScopedService<std::function<qint64()>> installed_;
};

}  // namespace orlane
