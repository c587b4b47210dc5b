// The reminder search over 2,173 day files and a recurring file of 30
// series, against a plain read and unscrambling of the same files.
// Target: the search takes at most 1.2 times the baseline.
#include "bench/sound/ratio_reporter.h"
#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "reminders/day_search.h"
#include "reminders/recurring_file.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>

namespace {
constexpr int kDays = 2173;
constexpr int kSeries = 30;

const QStringList& Files() {
  static QTemporaryDir dir;
  static const QStringList files = [] {
    orlane::SetUserFolder(dir.path());
    QStringList paths;
    const QDate first(2021, 1, 1);
    for (int d = 0; d < kDays; ++d) {
      const QDate day = first.addDays(d);
      orlane::ReminderMap map;
      for (int r = 0; r < 3; ++r)
        map[QByteArray::number(8 + r).rightJustified(2, '0') + ":30:00"] =
            "<Alarm is active>\r\nA reminder note of ordinary length about the garden, day " + QByteArray::number(d);
      const QString path =
          orlane::DayFilePath(orlane::MakeDayKey(day.year(), day.month(), day.day()), orlane::DayFileKind::Reminders);
      if (orlane::SaveReminderDay(path, map) != orlane::WriteResult::Written) std::abort();
      paths << path;
    }
    orlane::RecurringSet set;
    for (int s = 0; s < kSeries; ++s) {
      orlane::RecurringReminder r;
      r.uid = "s" + QByteArray::number(s);
      r.start = first.addDays(s * 11);
      r.timeKey = "07:15:00";
      r.rrule = s % 3 == 0 ? "FREQ=DAILY" : s % 3 == 1 ? "FREQ=WEEKLY;BYDAY=MO,WE,FR" : "FREQ=MONTHLY";
      r.note = "A recurring note, number " + QByteArray::number(s);
      set.series.push_back(r);
    }
    if (orlane::SaveRecurringFile(orlane::RecurringFilePath(), set) != orlane::WriteResult::Written) std::abort();
    paths << orlane::RecurringFilePath();
    return paths;
  }();
  return files;
}

void BM_BaselineReadUnscramble(benchmark::State& state) {
  const QStringList& files = Files();
  for (auto _ : state) {
    QByteArray bytes;
    for (const QString& f : files) {
      orlane::ReadFileBytes(f, bytes);
      orlane::UnscrambleBytes(bytes.data(), bytes.size());
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * files.size());
}
// Repeated, the fastest run of each is compared (see RatioReporter).
constexpr int kRepetitions = 7;
BENCHMARK(BM_BaselineReadUnscramble)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_ReminderSearch(benchmark::State& state) {
  const QStringList& files = Files();
  orlane::SearchOptions options;
  options.term = QStringLiteral("tulips");  // found nowhere: every note is looked at
  options.toKey = orlane::MakeDayKey(2026, 12, 31);
  for (auto _ : state) {
    const orlane::SearchResult found = orlane::SearchDayFiles(orlane::SearchKind::Reminders, options, {}, {});
    benchmark::DoNotOptimize(found.dayKeys.size());
  }
  state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK(BM_ReminderSearch)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orlane::bench::RatioReporter reporter(
      std::vector<std::pair<std::string, std::string>>{{"BM_ReminderSearch", "BM_BaselineReadUnscramble"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
