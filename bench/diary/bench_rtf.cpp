// RTF read and write speed on a large page with pictures, in bytes per second,
// beside a plain copy of the same bytes: the "vs_memcpy" counter is how many
// times slower than memcpy each pass is, the figure to watch.
#include "diary/page_objects.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

// About 1.5 MB of RTF: 4000 formatted paragraphs and six noisy pictures.
void BuildLargePage(QTextDocument& document) {
  QTextCursor cursor(&document);
  QRandomGenerator random(7);
  for (int p = 0; p < 4000; ++p) {
    QTextCharFormat format;
    format.setFontFamilies(QStringList{p % 2 ? "DejaVu Sans" : "DejaVu Serif"});
    format.setFontPointSize(10 + p % 8);
    cursor.insertText(QString::fromUtf8("Paragraph %1 with plain words, ").arg(p), format);
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor::fromRgb(random.generate() & 0xFFFFFF));
    cursor.insertText(QString::fromUtf8("bold coloured words, accents café € "), format);
    if (p % 700 == 0) {
      QImage image(160, 120, QImage::Format_RGB32);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, random.generate() & 0xFFFFFF);
      orlane::InsertPageImage(cursor, image);
    }
    QTextBlockFormat block;
    block.setAlignment(p % 3 ? Qt::AlignLeft : Qt::AlignHCenter);
    cursor.insertBlock(block);
  }
}

struct Page {
  QTextDocument document;
  QByteArray rtf;
  Page() {
    BuildLargePage(document);
    rtf = orlane::RtfWriter().write(document);
    orlane::RtfReader().read(rtf, document);  // pictures as the reader keeps them
    rtf = orlane::RtfWriter().write(document);
  }
};

Page& SharedPage() {
  static Page page;
  return page;
}

double MemcpySeconds(const QByteArray& bytes) {
  std::vector<char> target(static_cast<size_t>(bytes.size()));
  const auto start = std::chrono::steady_clock::now();
  constexpr int kRounds = 50;
  for (int i = 0; i < kRounds; ++i) {
    std::memcpy(target.data(), bytes.constData(), target.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

void Report(benchmark::State& state, const QByteArray& bytes, double seconds) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
  state.counters["vs_memcpy"] = seconds / static_cast<double>(state.iterations()) / MemcpySeconds(bytes);
  state.counters["rtf_MB"] = bytes.size() / 1e6;
}

void BM_BaselineMemcpy(benchmark::State& state) {
  const QByteArray& bytes = SharedPage().rtf;
  std::vector<char> target(static_cast<size_t>(bytes.size()));
  for (auto _ : state) {
    std::memcpy(target.data(), bytes.constData(), target.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_BaselineMemcpy);

void BM_ReadRtf(benchmark::State& state) {
  const QByteArray& bytes = SharedPage().rtf;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QTextDocument document;
    orlane::RtfReader().read(bytes, document);
    benchmark::DoNotOptimize(document.characterCount());
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, bytes, seconds);
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
  Page& page = SharedPage();
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(orlane::RtfWriter().write(page.document));
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, page.rtf, seconds);
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

}  // namespace
