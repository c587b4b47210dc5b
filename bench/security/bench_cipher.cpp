// Scrambling against a plain memcpy of the same buffer (the ratio of their
// times is the figure: it should stay within 2x), and the cipher's throughput.
#include "security/cipher.h"
#include "security/idea.h"
#include "security/md5.h"
#include "security/scramble.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {
constexpr int kBufferBytes = 1 << 20;

QByteArray Buffer() {
  QByteArray b(kBufferBytes, '\0');
  for (int i = 0; i < kBufferBytes; ++i) b[i] = static_cast<char>(i * 31);
  return b;
}

void BM_BaselineMemcpy(benchmark::State& state) {
  const QByteArray source = Buffer();
  QByteArray target(kBufferBytes, '\0');
  for (auto _ : state) {
    std::memcpy(target.data(), source.constData(), kBufferBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBufferBytes);
}
BENCHMARK(BM_BaselineMemcpy);

void BM_Transform(benchmark::State& state, void (*transform)(char*, qsizetype)) {
  QByteArray buffer = Buffer();
  for (auto _ : state) {
    transform(buffer.data(), buffer.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBufferBytes);
}
BENCHMARK_CAPTURE(BM_Transform, ScrambleBytes, &orlane::ScrambleBytes);
BENCHMARK_CAPTURE(BM_Transform, UnscrambleBytes, &orlane::UnscrambleBytes);

void BM_Md5(benchmark::State& state) {
  const QByteArray buffer = Buffer();
  for (auto _ : state) benchmark::DoNotOptimize(orlane::Md5(buffer));
  state.SetBytesProcessed(state.iterations() * kBufferBytes);
}
BENCHMARK(BM_Md5);

void BM_IdeaBlocks(benchmark::State& state) {
  QByteArray buffer = Buffer();
  const orlane::IdeaSchedule schedule = orlane::ExpandIdeaKey({1, 2, 3, 4, 5, 6, 7, 8});
  for (auto _ : state) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    for (int i = 0; i < kBufferBytes; i += 8) orlane::IdeaBlock(schedule, bytes + i);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kBufferBytes);
}
BENCHMARK(BM_IdeaBlocks);

void BM_EncipherUserFile(benchmark::State& state) {
  for (auto _ : state) {
    QByteArray password("a password of 23 chars!");
    benchmark::DoNotOptimize(orlane::EncipherBuffer(password));
  }
}
BENCHMARK(BM_EncipherUserFile);

}  // namespace

BENCHMARK_MAIN();
