#include "sound/waveform_summary.h"

#include "controls/gdi_line.h"

namespace orlane {

// The line, column by column. Its points come in runs that share a column;
// between runs one segment crosses to the next column. Every point of a run
// is drawn, and every pixel between them, except where the line ends: only
// the very last segment leaves its end point out. So a run that does not end
// the line adds the span of its samples (the smallest and largest sample map
// to the bottom and top rows), while the run that ends it is walked point by
// point. A slice always finishes the run it is in, so that no run is split.

WaveformSummaryBuilder::WaveformSummaryBuilder(const WaveFormat& format, QByteArrayView pcm, int width, int height,
                                               bool textBand)
    : geometry_(MeasureWaveform(format, pcm.size(), width, height, textBand)), pcm_(pcm) {
  summary_.width = std::max(0, geometry_.width);
  summary_.height = geometry_.height;
  summary_.top.assign(static_cast<size_t>(summary_.width), INT_MAX);
  summary_.bottom.assign(static_cast<size_t>(summary_.width), INT_MIN);
  x_ = 0;
  y_ = geometry_.baseline;
}

bool WaveformSummaryBuilder::Step(qint64 maxSamples) {
  const qint64 end =
      maxSamples >= geometry_.samples - next_ ? geometry_.samples : next_ + std::max<qint64>(1, maxSamples);
  if (geometry_.wide)
    Walk<true>(end);
  else
    Walk<false>(end);
  return !Done();
}

qint64 WaveformSummaryBuilder::RunEnd(int column, qint64 from) const {
  const WaveformGeometry& g = geometry_;
  if (column >= summary_.width || g.dx <= 0) return g.samples;
  qint64 e = static_cast<qint64>(std::ceil((column + 1) / g.dx));
  e = std::clamp(e, from, g.samples);
  // The estimate is off by a rounding at most; the points decide.
  while (e > from && g.X(e - 1) > column) --e;
  while (e < g.samples && g.X(e) <= column) ++e;
  return e;
}

void WaveformSummaryBuilder::Include(int x, int low, int high) {
  if (x < 0 || x >= summary_.width || low > high) return;
  int& top = summary_.top[static_cast<size_t>(x)];
  int& bottom = summary_.bottom[static_cast<size_t>(x)];
  top = std::min(top, low);
  bottom = std::max(bottom, high);
}

template <bool kWide>
void WaveformSummaryBuilder::Walk(qint64 end) {
  const WaveformGeometry& g = geometry_;
  const char* pcm = pcm_.data();
  auto sampleAt = [&](qint64 k) {
    const qint64 p = k * g.step;
    if constexpr (kWide)
      return static_cast<int>(
          static_cast<std::int16_t>(static_cast<std::uint8_t>(pcm[p]) | (static_cast<std::uint8_t>(pcm[p + 1]) << 8)));
    else
      return static_cast<std::uint8_t>(pcm[p]) - 128;
  };
  qint64 k = next_;
  while (k < end) {
    const int column = g.X(k);
    if (column != x_) {
      const int ny = g.Y(sampleAt(k));
      CrossColumns(column, ny);
      x_ = column;
      y_ = ny;
      ++k;
      continue;
    }
    const qint64 runEnd = RunEnd(column, k);
    if (runEnd < g.samples) {
      int low = sampleAt(k), high = low;
      for (qint64 i = k + 1; i < runEnd; ++i) {
        const int s = sampleAt(i);
        low = std::min(low, s);
        high = std::max(high, s);
      }
      // A larger sample is drawn higher up: the top row comes from the largest.
      Include(column, std::min(y_, g.Y(high)), std::max(y_, g.Y(low)));
      y_ = g.Y(sampleAt(runEnd - 1));
    } else {
      // The run that ends the line: each vertical segment up to one short of its end.
      for (qint64 i = k; i < runEnd; ++i) {
        const int ny = g.Y(sampleAt(i));
        if (ny == y_) continue;
        const int last = ny > y_ ? ny - 1 : ny + 1;
        Include(column, std::min(y_, last), std::max(y_, last));
        y_ = ny;
      }
    }
    k = runEnd;
  }
  next_ = k;
}

void WaveformSummaryBuilder::CrossColumns(int x, int y) {
  ForEachGdiLinePixel(x_, y_, x, y, [&](int px, int py) { Include(px, py, py); });
}

WaveformSummary WaveformSummaryBuilder::Take() {
  return std::move(summary_);
}

WaveformSummary BuildWaveformSummary(const WaveFormat& format, QByteArrayView pcm, int width, int height,
                                     bool textBand) {
  WaveformSummaryBuilder builder(format, pcm, width, height, textBand);
  builder.Step(builder.SampleCount());
  return builder.Take();
}

}  // namespace orlane
