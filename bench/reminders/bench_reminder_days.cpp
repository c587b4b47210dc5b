// Loading ten years of reminder day files (3,650), against a plain read of the
// same files as the baseline.
#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "reminders/reminder_day.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

namespace {
constexpr int kDays = 3650;

const QStringList& DayFiles() {
  static QTemporaryDir dir;
  static const QStringList files = [] {
    orlane::SetUserFolder(dir.path());
    QStringList paths;
    for (int d = 0; d < kDays; ++d) {
      orlane::ReminderMap map;
      for (int r = 0; r < 3; ++r)
        map[QByteArray::number(8 + r).rightJustified(2, '0') + ":30:00"] =
            "<Alarm is active>\r\nA reminder note of ordinary length, day " + QByteArray::number(d);
      const QString path = orlane::DayFilePath(orlane::MakeDayKey(2000 + d / 365, 1 + (d / 28) % 12, 1 + d % 28),
                                               orlane::DayFileKind::Reminders) +
                           QString::number(d);
      if (orlane::SaveReminderDay(path, map) != orlane::WriteResult::Written) std::abort();
      paths << path;
    }
    return paths;
  }();
  return files;
}

void BM_BaselineReadFiles(benchmark::State& state) {
  const QStringList& files = DayFiles();
  for (auto _ : state) {
    QByteArray bytes;
    for (const QString& f : files) {
      orlane::ReadFileBytes(f, bytes);
      benchmark::DoNotOptimize(bytes.size());
    }
  }
  state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_BaselineReadFiles)->Unit(benchmark::kMillisecond);

void BM_LoadReminderDays(benchmark::State& state) {
  const QStringList& files = DayFiles();
  for (auto _ : state) {
    for (const QString& f : files) {
      orlane::ReminderMap map;
      benchmark::DoNotOptimize(orlane::LoadReminderDay(f, map));
    }
  }
  state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_LoadReminderDays)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
