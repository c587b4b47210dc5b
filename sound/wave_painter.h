// Draws the sound view: the cached waveform image from a per-column summary
// and its format line, and each paint's back buffer (the image, or the
// recording line, with the play position, the end mark and their times).
// Stateless; pixels follow GDI's rules.
#pragma once

#include "sound/wave_overlay.h"
#include "sound/waveform_summary.h"

#include <QFont>
#include <QImage>

namespace orlane {

// A new image of the size, in the background colour, with the summary's
// column runs in the waveform colour.
QImage DrawWaveSummary(const WaveformSummary& summary, QSize size, const WaveColors& colors);
// The format line in the bottom band of the image: from x = 10, 16 pixels
// above the bottom, left-aligned, transparent. It stops short of the play
// position's time at the right of the same band, so the two times never run
// together: a line too long for the room left loses its own " Time ..."
// (the position's time is the one shown), and is cut after that.
void DrawWaveFormatLine(QImage& image, const QString& line, const WaveColors& colors, const QFont& font);
// The part of the format line that fits in width pixels of the font.
QString FitWaveFormatLine(const QString& line, int width, const QFont& font);

// One paint into the back buffer (resized to the overlay's size when needed).
void PaintWaveView(QImage& back, const QImage& waveImage, const WaveOverlay& overlay, const WaveColors& colors,
                   const QFont& font);

}  // namespace orlane
