// The waveform line summarised per pixel column: the topmost and bottommost
// pixel row the line passes through in each column of the view. The line is
// drawn with GDI rules (each segment leaves out its end point; only the
// line's very last point is never drawn), and since x never goes back, the
// pixels of a column always form one unbroken run: filling each column from
// top to bottom draws exactly the pixels of the line through every sample.
// The builder walks the samples once and can be run in slices, so that a long
// sound can report its progress.
#pragma once

#include "sound/waveform.h"

#include <climits>
#include <cmath>
#include <vector>

namespace orlane {

struct WaveformSummary {
  int width = 0;
  int height = 0;
  std::vector<int> top;     // per column; INT_MAX when the line misses it
  std::vector<int> bottom;  // per column; INT_MIN when the line misses it

  bool Covers(int x) const { return top[static_cast<size_t>(x)] <= bottom[static_cast<size_t>(x)]; }
  bool operator==(const WaveformSummary&) const = default;
};

class WaveformSummaryBuilder final {
 public:
  WaveformSummaryBuilder(const WaveFormat& format, QByteArrayView pcm, int width, int height, bool textBand);

  // Walks about maxSamples more samples (to the end of the column it reaches);
  // true while samples remain.
  bool Step(qint64 maxSamples);
  bool Done() const { return next_ >= geometry_.samples; }
  qint64 SamplesWalked() const { return next_; }
  qint64 SampleCount() const { return geometry_.samples; }
  const WaveformGeometry& Geometry() const { return geometry_; }
  // The summary of what was walked so far.
  WaveformSummary Take();

 private:
  template <bool kWide>
  void Walk(qint64 end);
  // Records the pixels of the segment from the current point to (x, y).
  void CrossColumns(int x, int y);
  // The first sample at or after from that lies beyond column.
  qint64 RunEnd(int column, qint64 from) const;
  // Rows low..high of column x are drawn.
  void Include(int x, int low, int high);

  WaveformGeometry geometry_;
  QByteArrayView pcm_;
  WaveformSummary summary_;
  qint64 next_ = 0;
  int x_ = 0;  // the current point: where the last segment ended
  int y_ = 0;
};

// The whole summary at once.
WaveformSummary BuildWaveformSummary(const WaveFormat& format, QByteArrayView pcm, int width, int height,
                                     bool textBand);

}  // namespace orlane
