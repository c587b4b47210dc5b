// How late alerts open after their due second. Simulated: a day of ticks of
// the one-second timer with up to +-300 ms of jitter, every minute a reminder;
// the lateness of each alert is the tick's time minus the due second. Real:
// a precise timer re-armed for each second boundary, as the main window arms
// it, measured against the wall clock for a few seconds. Both are reported as
// counters (milliseconds); the baseline is an ideal tick on the boundary.
#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/second_ticker.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <random>

namespace {

struct LatenessHost final : orlane::AlarmScheduler::Host {
  void showAlert(const orlane::AlertRequest& alert) override {
    const orlane::TimeOfDay t = orlane::TimeKeyNumbers(alert.timeKey);
    const qint64 due = static_cast<qint64>(orlane::MakeLocalTime(2006, 1, 2, t.hour, t.minute, t.second)) * 1000;
    const qint64 late = orlane::NowMs() - due;
    sum += static_cast<double>(late);
    worst = std::max(worst, late);
    ++count;
  }
  double sum = 0;
  qint64 worst = 0;
  int count = 0;
};

void RunSimulatedDay(benchmark::State& state, int jitterMs) {
  QTemporaryDir dir;
  orlane::SetUserFolder(dir.path());
  orlane::ReminderMap map;
  for (int m = 1; m < 24 * 60; ++m) {
    orlane::Reminder r;
    r.active = true;
    map[orlane::MakeTimeKey(m / 60, m % 60, (m * 7) % 60)] = orlane::BuildReminderValue(r);
  }
  const QString path = orlane::DayFilePath(2006, 1, 2, orlane::DayFileKind::Reminders);
  LatenessHost host;
  for (auto _ : state) {
    if (orlane::SaveReminderDay(path, map) != orlane::WriteResult::Written) state.SkipWithError("cannot write the day");
    const qint64 start = static_cast<qint64>(orlane::MakeLocalTime(2006, 1, 2, 0, 0, 0)) * 1000;
    orlane::TestClock clock(start);
    orlane::ReminderStore store;
    orlane::AlarmScheduler scheduler(host, store);
    scheduler.loadTodayReminders();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(-jitterMs, jitterMs);
    for (qint64 s = 1; s < 86400; ++s) {
      clock.setMs(start + s * 1000 + (jitterMs ? 300 + jitter(random) : 0));
      scheduler.checkDueReminders();
    }
  }
  state.counters["alerts"] = host.count;
  state.counters["mean_late_ms"] = host.count ? host.sum / host.count : 0;
  state.counters["worst_late_ms"] = static_cast<double>(host.worst);
}

void BM_BaselineIdealTicks(benchmark::State& state) {
  RunSimulatedDay(state, 0);
}
BENCHMARK(BM_BaselineIdealTicks)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SimulatedDayWithJitter(benchmark::State& state) {
  RunSimulatedDay(state, 300);
}
BENCHMARK(BM_SimulatedDayWithJitter)->Unit(benchmark::kMillisecond)->Iterations(1);

// Real seconds: how far after each wall-clock second boundary the timer fires.
void BM_RealSecondBoundaries(benchmark::State& state) {
  int argc = 0;
  QCoreApplication app(argc, nullptr);
  double sum = 0;
  qint64 worst = 0;
  int count = 0;
  for (auto _ : state) {
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      const qint64 into = QDateTime::currentMSecsSinceEpoch() % 1000;
      const qint64 late = into > 500 ? into - 1000 : into;  // early fires count negative
      sum += static_cast<double>(late);
      worst = std::max(worst, late);
      if (++count >= 5)
        loop.quit();
      else
        timer.start(orlane::SecondTicker::MsUntilNextSecond(QDateTime::currentMSecsSinceEpoch()));
    });
    timer.start(orlane::SecondTicker::MsUntilNextSecond(QDateTime::currentMSecsSinceEpoch()));
    loop.exec();
  }
  state.counters["ticks"] = count;
  state.counters["mean_after_boundary_ms"] = count ? sum / count : 0;
  state.counters["worst_after_boundary_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_RealSecondBoundaries)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
