// Settings file parse and serialise, against a plain copy of the same bytes as
// the baseline: the ratio of the two is the figure to watch.
#include "days/settings_file.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

void BM_BaselineCopy65Bytes(benchmark::State& state) {
  const QByteArray bytes = orlane::SerializeSettings(orlane::Settings{});
  char target[128];
  for (auto _ : state) {
    std::memcpy(target, bytes.constData(), static_cast<size_t>(bytes.size()));
    benchmark::DoNotOptimize(target);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BaselineCopy65Bytes);

void BM_ParseSettings(benchmark::State& state) {
  const QByteArray bytes = orlane::SerializeSettings(orlane::Settings{});
  for (auto _ : state) {
    orlane::Settings s;
    benchmark::DoNotOptimize(orlane::ParseSettings(bytes, s));
  }
}
BENCHMARK(BM_ParseSettings);

void BM_SerializeSettings(benchmark::State& state) {
  const orlane::Settings s;
  for (auto _ : state) benchmark::DoNotOptimize(orlane::SerializeSettings(s));
}
BENCHMARK(BM_SerializeSettings);

}  // namespace

BENCHMARK_MAIN();
