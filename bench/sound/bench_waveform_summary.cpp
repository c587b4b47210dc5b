// Building the waveform's column summary of one hour of 44,100 Hz 16-bit mono
// sound for a 600 × 300 view, against the baseline of one plain pass over the
// same decimated samples (each read, the smallest and largest kept). Target:
// the summary within 2× of the plain pass.
#include "bench/sound/ratio_reporter.h"
#include "sound/waveform_summary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <random>

namespace {

using namespace orlane;

const WaveFormat kFormat = WaveFormat::Pcm(44100, 16);

const QByteArray& OneHour() {
  static const QByteArray pcm = [] {
    QByteArray b(static_cast<qsizetype>(kFormat.averageBytesPerSecond) * 3600, '\0');
    std::mt19937 rng(7);
    // A voice-like signal: a slow envelope over noise.
    auto* s = reinterpret_cast<qint16*>(b.data());
    const qsizetype n = b.size() / 2;
    for (qsizetype i = 0; i < n; ++i) {
      const int envelope = static_cast<int>((i / 4410) % 64) * 400;
      s[i] = static_cast<qint16>(static_cast<int>(rng() % 2001) - 1000 + (envelope * ((i & 64) ? 1 : -1)) / 8);
    }
    return b;
  }();
  return pcm;
}

void BM_BaselinePlainPass(benchmark::State& state) {
  const QByteArray& pcm = OneHour();
  const WaveformGeometry g = MeasureWaveform(kFormat, pcm.size(), 600, 300, true);
  for (auto _ : state) {
    int low = INT_MAX, high = INT_MIN;
    for (qint64 k = 0; k < g.samples; ++k) {
      const int sample = g.SampleAt(pcm.constData(), k);
      low = std::min(low, sample);
      high = std::max(high, sample);
    }
    benchmark::DoNotOptimize(low);
    benchmark::DoNotOptimize(high);
  }
}
BENCHMARK(BM_BaselinePlainPass)->Unit(benchmark::kMillisecond);

void BM_WaveformSummary(benchmark::State& state) {
  const QByteArray& pcm = OneHour();
  for (auto _ : state) {
    WaveformSummary summary = BuildWaveformSummary(kFormat, pcm, 600, 300, true);
    benchmark::DoNotOptimize(summary.top.data());
  }
}
BENCHMARK(BM_WaveformSummary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orlane::bench::RatioReporter reporter(
      std::vector<std::pair<std::string, std::string>>{{"BM_WaveformSummary", "BM_BaselinePlainPass"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
