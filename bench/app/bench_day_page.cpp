// Loading and saving a day whose diary page is 1 MB of formatted text, against
// a plain atomic write and read of the same bytes as the baseline.
// Target: the day takes at most 3 times the baseline. The page is saved as
// modified but with the bytes its file holds, so the save writes nothing;
// the second pair saves a page that really changed, which adds one write.
#include "app/day_store.h"
#include "bench/sound/ratio_reporter.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "reminders/reminder_store.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray MegabytePage() {
  QTextDocument page;
  QTextCursor cursor(&page);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  while (page.characterCount() < (1 << 20)) {
    cursor.insertText(QStringLiteral("An ordinary day, written down at some length. "));
    cursor.insertText(QStringLiteral("Something that mattered. "), bold);
    if (page.characterCount() % 7 == 0) cursor.insertBlock();
  }
  return orlane::RtfWriter().write(page);
}

struct Fixture {
  QTemporaryDir dir;
  QByteArray rtf = MegabytePage();
  Fixture() { orlane::SetUserFolder(dir.path()); }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_BaselineWriteAndReadBytes(benchmark::State& state) {
  Fixture& f = Shared();
  const QString path = f.dir.path() + QStringLiteral("/plain");
  for (auto _ : state) {
    if (orlane::AtomicWriteFile(path, f.rtf) != orlane::WriteResult::Written) state.SkipWithError("cannot write");
    QByteArray back;
    orlane::ReadFileBytes(path, back);
    benchmark::DoNotOptimize(back.size());
  }
  state.SetBytesProcessed(state.iterations() * f.rtf.size());
}
// Repeated, the fastest run of each is compared (see RatioReporter).
constexpr int kRepetitions = 5;
BENCHMARK(BM_BaselineWriteAndReadBytes)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// Loads the day, saves page as the edited page, loads the day again and
// reads its page into a document. False when the save failed (or, with
// mustWrite, wrote nothing).
bool SaveAndLoadDay(const QString& dayKey, const QByteArray& page, bool mustWrite) {
  orlane::DayContent content{true, false, page};
  orlane::ReminderStore reminders;
  orlane::LoadedDay day = orlane::LoadDay(dayKey, "pw");
  const orlane::DaySaveResult saved = orlane::SaveDay(day, content, "pw", reminders);
  orlane::LoadedDay back = orlane::LoadDay(dayKey, "pw");
  QTextDocument document;
  orlane::RtfReader().read(back.diaryRtf, document);
  benchmark::DoNotOptimize(document.characterCount());
  return !saved.failed && (saved.diaryWritten || !mustWrite);
}

void BM_SaveAndLoadDayWithMegabytePage(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state)
    if (!SaveAndLoadDay(QStringLiteral("07d60102"), f.rtf, false)) state.SkipWithError("cannot save the day");
  state.SetBytesProcessed(state.iterations() * f.rtf.size());
}
BENCHMARK(BM_SaveAndLoadDayWithMegabytePage)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_SaveChangedAndLoadDayWithMegabytePage(benchmark::State& state) {
  Fixture& f = Shared();
  // Kept across runs, so each iteration's page differs from what the last one wrote.
  static QByteArray changed = f.rtf;
  static const qsizetype letter = changed.lastIndexOf("day");
  for (auto _ : state) {
    changed[letter] = changed[letter] == 'd' ? 'D' : 'd';
    if (!SaveAndLoadDay(QStringLiteral("07d60103"), changed, true)) state.SkipWithError("cannot save the day");
  }
  state.SetBytesProcessed(state.iterations() * f.rtf.size());
}
BENCHMARK(BM_SaveChangedAndLoadDayWithMegabytePage)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orlane::bench::RatioReporter reporter(std::vector<std::pair<std::string, std::string>>{
      {"BM_SaveAndLoadDayWithMegabytePage", "BM_BaselineWriteAndReadBytes"},
      {"BM_SaveChangedAndLoadDayWithMegabytePage", "BM_BaselineWriteAndReadBytes"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
