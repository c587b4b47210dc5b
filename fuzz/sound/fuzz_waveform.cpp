// Any format record, view size and samples for the waveform builder: it must
// end, stay inside the samples and keep every point inside the view's width.
#include "sound/waveform.h"

#include <algorithm>
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
  return 0;
}
