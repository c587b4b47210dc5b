// The waveform of a day's sound as a line for a view of a given size, and the
// texts and line positions painted over it. Pure: the sound view turns the
// line into its cached image through a per-column summary
// (sound/waveform_summary.h).
#pragma once

#include "sound/wav_image.h"

#include <QPoint>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace orlane {

inline constexpr int kWaveTextBand = 16;

// Bytes between two samples drawn: every m-th frame, m = average bytes per
// second / 30000 (at least 1), so no more than about 30000 bytes a second of
// sound are visited.
qint64 WaveformByteStep(const WaveFormat& format);

// Where the line's points go for one sound and view size. The line starts at
// (0, baseline); then sample k (the first channel of frame k × m) is drawn at
// x = k × dx truncated (never beyond the width) and y = baseline − sample ×
// scale truncated toward zero.
struct WaveformGeometry {
  qint64 samples = 0;  // samples drawn; 0 draws nothing
  qint64 step = 1;     // bytes from one sample drawn to the next
  bool wide = false;   // 16-bit samples
  double dx = 0;
  double scale = 0;
  int baseline = 0;
  int width = 0;
  int height = 0;

  int X(qint64 k) const { return static_cast<int>(std::min(static_cast<double>(k) * dx, static_cast<double>(width))); }
  int Y(int sample) const { return baseline - static_cast<int>(sample * scale); }
  // The first channel's value of sample k: signed 16-bit, or the byte − 128.
  int SampleAt(const char* pcm, qint64 k) const {
    const qint64 p = k * step;
    if (!wide) return static_cast<std::uint8_t>(pcm[p]) - 128;
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(pcm[p]) | (static_cast<std::uint8_t>(pcm[p + 1]) << 8));
  }
};
WaveformGeometry MeasureWaveform(const WaveFormat& format, qsizetype pcmBytes, int width, int height, bool textBand);

// The line through every sample drawn, from (0, baseline). progress(offset)
// after each sample, for long sounds.
std::vector<QPoint> BuildWaveform(const WaveFormat& format, QByteArrayView pcm, int width, int height, bool textBand,
                                  const std::function<void(qsizetype)>& progress = {});

// "%02d:%02d.%03d" of a duration in seconds.
QString FormatWaveTime(float seconds);
// "Rate %d hz   Channel %d   Res %d bit  Length %d byte   Time %02d:%02d.%03d"
QString WaveFormatLine(const WaveFormat& format, qsizetype dataLength);
// The recording line: "Rate %d hz   Channel %d   Res %d bit   Time ..."
QString RecordingLine(const WaveFormat& format, float recordedSeconds);
// What a screen reader says of the view: "No sound", or the length and the
// end mark when one is set ("Length 00:12.500, end mark 00:10.000").
QString WaveDescription(const WaveFormat& format, qsizetype dataLength, qint64 endMark, bool open);
// Seconds of sound in `bytes` of this format (0 for a format without a rate).
float WaveSeconds(qint64 bytes, const WaveFormat& format);
// x of the play position or end mark: ceiling(offset / length * width), at most width - 1.
int WaveMarkX(qsizetype offset, qsizetype dataLength, int width);

}  // namespace orlane
