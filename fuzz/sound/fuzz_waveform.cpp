// Any format record, view size and samples for the waveform builder and its
// column summary: they must end, stay inside the samples, keep every point
// inside the view's width, and every column the line passes through must lie
// between its first and last point's rows.
#include "sound/waveform.h"
#include "sound/waveform_summary.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
template <typename T>
T Take(const std::uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = std::min(sizeof(T), size);
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  orlane::WaveFormat format;
  format.formatTag = Take<std::uint16_t>(data, size);
  format.channels = Take<std::uint16_t>(data, size);
  format.samplesPerSecond = Take<std::uint32_t>(data, size);
  format.averageBytesPerSecond = Take<std::uint32_t>(data, size);
  format.blockAlign = Take<std::uint16_t>(data, size);
  format.bitsPerSample = Take<std::uint16_t>(data, size);
  const int width = Take<std::int16_t>(data, size);
  const int height = Take<std::int16_t>(data, size);
  const bool band = Take<std::uint8_t>(data, size) & 1;
  const QByteArrayView pcm(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (orlane::WaveformByteStep(format) <= 0) std::abort();
  qsizetype visited = 0;
  const auto points = orlane::BuildWaveform(format, pcm, width, height, band, [&](qsizetype p) {
    if (p < 0 || p >= pcm.size()) std::abort();
    ++visited;
  });
  for (const QPoint& p : points)
    if (p.x() < 0 || p.x() > std::max(width, 0)) std::abort();
  if (visited > pcm.size()) std::abort();
  const orlane::WaveformSummary summary = orlane::BuildWaveformSummary(format, pcm, width, height, band);
  if (summary.width != std::max(0, std::min(width, 1 << 20))) std::abort();
  int low = INT_MAX, high = INT_MIN;
  for (const QPoint& p : points) {
    low = std::min(low, p.y());
    high = std::max(high, p.y());
  }
  for (int x = 0; x < summary.width; ++x)
    if (summary.Covers(x) && (summary.top[size_t(x)] < low || summary.bottom[size_t(x)] > high)) std::abort();
  return 0;
}
