// Pages that once cost far more than their text: 100,000 bullet lines read
// beside the same lines as plain paragraphs ("vs_plain" is the ratio to
// watch; it grew with the square of the count when every item joined one
// list), and a page holding a 30,000 x 30,000 PNG opened and painted beside
// the same page without it.
#include "diary/page_objects.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "tests/support/picture_pages.h"

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <chrono>

namespace {

constexpr int kLines = 100000;

double SecondsToRead(const QByteArray& rtf, bool paint) {
  const auto start = std::chrono::steady_clock::now();
  QTextDocument document;
  orlane::RtfReader().read(rtf, document);
  if (paint) {
    document.setTextWidth(600);
    QImage screen(600, 400, QImage::Format_RGB32);
    QPainter painter(&screen);
    document.drawContents(&painter);
  }
  benchmark::DoNotOptimize(document.characterCount());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Compare(benchmark::State& state, const QByteArray& page, const QByteArray& baseline, bool paint) {
  double seconds = 0;
  double baseSeconds = 0;
  for (auto _ : state) {
    seconds += SecondsToRead(page, paint);
    baseSeconds += SecondsToRead(baseline, paint);
  }
  state.counters["page_ms"] = seconds * 1000 / static_cast<double>(state.iterations());
  state.counters["baseline_ms"] = baseSeconds * 1000 / static_cast<double>(state.iterations());
  state.counters["vs_plain"] = seconds / baseSeconds;
}

void BM_BulletLinesVsPlainParagraphs(benchmark::State& state) {
  static const QByteArray bullets = orlane::test::ListPageRtf(kLines, true);
  static const QByteArray plain = orlane::test::ListPageRtf(kLines, false);
  Compare(state, bullets, plain, false);
}
BENCHMARK(BM_BulletLinesVsPlainParagraphs)->Unit(benchmark::kMillisecond)->Iterations(2);

QByteArray PageWith(const QByteArray& png) {
  QTextDocument document;
  QTextCursor cursor(&document);
  cursor.insertText(QStringLiteral("A page with a picture: "));
  if (!png.isEmpty()) orlane::InsertPageImage(cursor, png);
  return orlane::RtfWriter().write(document);
}

void BM_HugePicturePageVsTextPage(benchmark::State& state) {
  static const QByteArray huge = PageWith(orlane::test::OneColourPng(30000, 30000));
  static const QByteArray text = PageWith({});
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  Compare(state, huge, text, true);
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  state.counters["peak_growth_MB"] = static_cast<double>(after.ru_maxrss - before.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_HugePicturePageVsTextPage)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
