// The month calendar's Redraw in a user folder holding ten years of day
// files, against the baseline of a plain existence test of the same month's
// 3 × 31 day files (the ratio of the two is the figure: the files must not
// dominate, and the folder's size must not matter), and GetHolidayText per
// call against a plain read of the same holiday file.
#include "calendar/holiday_file.h"
#include "calendar/month_calendar.h"
#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/local_time.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace orlane;

// Ten years of days, most with a reminder file, every other with a diary and
// every fifth with a sound diary; and a holiday file for each year.
class TenYearsFolder {
 public:
  TenYearsFolder() {
    user_ = dir_.path() + QStringLiteral("/User/");
    QDir().mkpath(user_);
    SetUserFolder(user_);
    qputenv("ORLANE_HOLIDAY_DIR", dir_.path().toUtf8());
    ForgetHolidayFiles();
    int n = 0;
    for (int year = 2000; year < 2010; ++year) {
      QByteArray holidays = "01/01\r\nNew Year";
      for (int month = 1; month <= 12; ++month) {
        holidays += QStringLiteral("\r\n%1/15\r\nMid-month day %1").arg(month, 2, 10, QLatin1Char('0')).toLatin1();
        for (int day = 1; day <= 28; ++day, ++n) {
          const QString key = MakeDayKey(year, month, day);
          if (n % 7 != 0) Touch(DayFilePath(key, DayFileKind::Reminders));
          if (n % 2 == 0) Touch(DayFilePath(key, DayFileKind::Diary));
          if (n % 5 == 0) Touch(DayFilePath(key, DayFileKind::Sound));
        }
      }
      holidays += "\r\n12/25\r\nChristmas";
      QFile f(dir_.path() + QLatin1Char('/') + HolidayFileName(year));
      if (f.open(QIODevice::WriteOnly)) f.write(holidays);
    }
  }
  ~TenYearsFolder() { qunsetenv("ORLANE_HOLIDAY_DIR"); }
  TenYearsFolder(const TenYearsFolder&) = delete;
  TenYearsFolder& operator=(const TenYearsFolder&) = delete;

  QString holidayFile(int year) const { return dir_.path() + QLatin1Char('/') + HolidayFileName(year); }

 private:
  static void Touch(const QString& path) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write("x");
  }
  QTemporaryDir dir_;
  QString user_;
};

TenYearsFolder& Folder() {
  static TenYearsFolder folder;
  return folder;
}

void BM_BaselineExistsMonthFiles(benchmark::State& state) {
  Folder();
  for (auto _ : state) {
    int found = 0;
    for (int day = 1; day <= 31; ++day) {
      const QString key = MakeDayKey(2005, 3, day);
      found += FileExists(DayFilePath(key, DayFileKind::Diary));
      found += FileExists(DayFilePath(key, DayFileKind::Reminders));
      found += FileExists(DayFilePath(key, DayFileKind::Sound));
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_BaselineExistsMonthFiles);

void BM_MonthRedraw(benchmark::State& state) {
  Folder();
  CMonthCalendar calendar;
  calendar.SetSelectedDate(MakeLocalTime(2005, 3, 16, 9));
  calendar.Create(QRect(0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))), nullptr);
  for (auto _ : state) {
    calendar.Redraw();
    benchmark::DoNotOptimize(calendar.Image().constBits());
  }
}
BENCHMARK(BM_MonthRedraw)->Args({178, 142})->Args({420, 300});

void BM_BaselineReadHolidayFile(benchmark::State& state) {
  const QString path = Folder().holidayFile(2005);
  QByteArray bytes;
  for (auto _ : state) {
    ReadFileBytes(path, bytes);
    benchmark::DoNotOptimize(bytes.constData());
  }
}
BENCHMARK(BM_BaselineReadHolidayFile);

void BM_GetHolidayText(benchmark::State& state) {
  Folder();
  int day = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetHolidayText(2005, 12, 1 + day));
    day = (day + 1) % 31;
  }
}
BENCHMARK(BM_GetHolidayText);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
