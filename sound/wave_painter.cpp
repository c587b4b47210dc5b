#include "sound/wave_painter.h"

#include "controls/gdi_painter.h"
#include "sound/waveform.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace orlane {

namespace {

QRgb Rgb(ColorRef c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// The band rectangle at the bottom: x from `left`, the last 16 rows.
GdiRect BottomBand(int left, int right, int height) {
  return {left, height - kWaveTextBand, right, height};
}

void DottedColumn(QImage& image, int x, int top, int bottom, ColorRef color) {
  if (x < 0 || x >= image.width()) return;
  const QRgb rgb = Rgb(color);
  const int from = std::max(top, 0);
  const int to = std::min(bottom, image.height());
  for (int y = from; y < to; ++y)
    if (DottedPixel(y - top)) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = rgb;
}

}  // namespace

QImage DrawWaveSummary(const WaveformSummary& summary, QSize size, const WaveColors& colors) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Rgb(colors.background));
  const QRgb wave = Rgb(colors.wave);
  const int columns = std::min(summary.width, image.width());
  for (int x = 0; x < columns; ++x) {
    if (!summary.Covers(x)) continue;
    const int top = std::max(summary.top[static_cast<size_t>(x)], 0);
    const int bottom = std::min(summary.bottom[static_cast<size_t>(x)], image.height() - 1);
    for (int y = top; y <= bottom; ++y) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = wave;
  }
  return image;
}

QString FitWaveFormatLine(const QString& line, int width, const QFont& font) {
  const QFontMetrics metrics(font);
  if (metrics.horizontalAdvance(line) <= width) return line;
  const qsizetype time = line.lastIndexOf(QStringLiteral("   Time "));
  QString shorter = time > 0 ? line.left(time) : line;
  if (metrics.horizontalAdvance(shorter) <= width) return shorter;
  return metrics.elidedText(shorter, Qt::ElideRight, std::max(width, 0));
}

void DrawWaveFormatLine(QImage& image, const QString& line, const WaveColors& colors, const QFont& font) {
  // The position's time ends 10 pixels from the right edge; its digits have one width.
  constexpr int kLeft = 10;
  constexpr int kGap = 12;
  const int timeLeft = image.width() - 10 - QFontMetrics(font).horizontalAdvance(FormatWaveTime(0.0f));
  QPainter painter(&image);
  painter.setFont(font);
  GdiPainter gdi(painter);
  gdi.Text(BottomBand(kLeft, image.width(), image.height()), FitWaveFormatLine(line, timeLeft - kGap - kLeft, font),
           kDtLeft | kDtNoPrefix, colors.text);
}

void PaintWaveView(QImage& back, const QImage& waveImage, const WaveOverlay& o, const WaveColors& colors,
                   const QFont& font) {
  const QSize size(std::max(o.width, 1), std::max(o.height, 1));
  if (back.size() != size) back = QImage(size, QImage::Format_RGB32);
  const bool image = o.sound && !waveImage.isNull();
  if (image && waveImage.size() == size && waveImage.format() == back.format()) {
    // One copy of the cached image; the lines go on top.
    std::memcpy(back.bits(), waveImage.constBits(), static_cast<size_t>(back.sizeInBytes()));
  } else {
    back.fill(Rgb(colors.background));
  }
  QPainter painter(&back);
  painter.setFont(font);
  GdiPainter gdi(painter);
  if (o.recording) gdi.Text(BottomBand(10, o.width, o.height), o.recordingLine, kDtLeft | kDtNoPrefix, colors.text);
  if (!image) return;
  if (waveImage.size() != size) painter.drawImage(0, 0, waveImage);
  painter.end();
  DottedColumn(back, o.positionX, o.lineTop, o.lineBottom, colors.text);
  if (o.endMark) DottedColumn(back, o.endX, o.lineTop, o.lineBottom, colors.endMark);
  if (!o.textBand) return;
  QPainter texts(&back);
  texts.setFont(font);
  GdiPainter tg(texts);
  tg.Text({o.width - 160, o.height - kWaveTextBand, o.width - 10, o.height}, o.positionTime, kDtRight | kDtNoPrefix,
          colors.text);
  if (o.endMark)
    tg.Text({0, 0, o.endX, kWaveTextBand}, o.endTime, kDtRight | kDtSingleLine | kDtVCenter | kDtNoPrefix,
            colors.endMark);
}

}  // namespace orlane
