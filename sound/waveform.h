// The waveform of a day's sound as a polyline for a view of a given size, and
// the texts and line positions painted over it. Pure: the sound view renders
// the points into its cached image.
#pragma once

#include "sound/wav_image.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

namespace orlane {

inline constexpr int kWaveTextBand = 16;

// Bytes between two samples drawn: every m-th frame, m = average bytes per
// second / 30000 (at least 1), so no more than about 30000 bytes a second of
// sound are visited.
qint64 WaveformByteStep(const WaveFormat& format);

// The line through the first channel's samples, from x = 0 on the baseline.
// progress(offset) after each sample, for long sounds.
std::vector<QPoint> BuildWaveform(const WaveFormat& format, QByteArrayView pcm, int width, int height, bool textBand,
                                  const std::function<void(qsizetype)>& progress = {});

// "%02d:%02d.%03d" of a duration in seconds.
QString FormatWaveTime(float seconds);
// "Rate %d hz   Channel %d   Res %d bit  Length %d byte   Time %02d:%02d.%03d"
QString WaveFormatLine(const WaveFormat& format, qsizetype dataLength);
// The recording line: "Rate %d hz   Channel %d   Res %d bit   Time ..."
QString RecordingLine(const WaveFormat& format, float recordedSeconds);
// x of the play position or end mark: ceiling(offset / length * width), at most width - 1.
int WaveMarkX(qsizetype offset, qsizetype dataLength, int width);

}  // namespace orlane
