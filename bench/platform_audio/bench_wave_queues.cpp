// The device thread's bookkeeping per period (gather the next period across
// buffers, advance, return finished buffers) against a plain memcpy of the
// same bytes: the ratio of their times is the figure, it should stay within
// 2x, so the queue never costs more than moving the samples.
#include "platform/audio/buffer_queues.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using orlane::audio::InputQueue;
using orlane::audio::OutputQueue;
using orlane::audio::WaveBuffer;

constexpr quint32 kBuffers = 10;
constexpr quint32 kBufferBytes = 4410;  // 44100 Hz 8-bit mono, ten per second
constexpr quint32 kPeriodBytes = 1024;
constexpr quint32 kTotal = kBuffers * kBufferBytes;

void BM_BaselineMemcpy(benchmark::State& state) {
  std::vector<char> source(kTotal, 'a');
  std::vector<char> period(kPeriodBytes);
  for (auto _ : state) {
    for (quint32 at = 0; at < kTotal; at += kPeriodBytes) {
      std::memcpy(period.data(), source.data() + at, std::min(kPeriodBytes, kTotal - at));
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
}
BENCHMARK(BM_BaselineMemcpy);

void BM_OutputQueuePeriods(benchmark::State& state) {
  std::vector<char> memory(kTotal, 'a');
  std::vector<WaveBuffer> headers(kBuffers);
  std::vector<char> period(kPeriodBytes);
  for (auto _ : state) {
    OutputQueue q;
    for (quint32 i = 0; i < kBuffers; ++i) {
      headers[i] = WaveBuffer{memory.data() + i * kBufferBytes, kBufferBytes};
      headers[i].flags = orlane::audio::kBufferPrepared | orlane::audio::kBufferInQueue;
      q.push(&headers[i]);
    }
    while (q.pendingBytes() > 0) {
      const quint32 n = q.copyPending(period.data(), kPeriodBytes);
      q.advanceWritten(n);
      benchmark::DoNotOptimize(q.markPlayed(q.written()));
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
}
BENCHMARK(BM_OutputQueuePeriods);

void BM_InputQueuePeriods(benchmark::State& state) {
  std::vector<char> memory(kTotal);
  std::vector<WaveBuffer> headers(kBuffers);
  const std::vector<char> period(kPeriodBytes, 'b');
  for (auto _ : state) {
    InputQueue q;
    for (quint32 i = 0; i < kBuffers; ++i) {
      headers[i] = WaveBuffer{memory.data() + i * kBufferBytes, kBufferBytes};
      q.push(&headers[i]);
    }
    for (quint32 at = 0; at < kTotal; at += kPeriodBytes) {
      benchmark::DoNotOptimize(q.fill(period.data(), std::min(kPeriodBytes, kTotal - at)));
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
}
BENCHMARK(BM_InputQueuePeriods);

}  // namespace

BENCHMARK_MAIN();
