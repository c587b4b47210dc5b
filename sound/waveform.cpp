#include "sound/waveform.h"

#include <algorithm>
#include <cmath>

namespace orlane {

namespace {
// The decimation m: every m-th frame is drawn. 64-bit, so no format field can
// make it wrap to 0.
qint64 Decimation(const WaveFormat& format) {
  return std::max<qint64>(1, format.averageBytesPerSecond / 30000);
}
}  // namespace

qint64 WaveformByteStep(const WaveFormat& format) {
  const qint64 bytesPerFrame = std::max<qint64>(1, format.channels) * (format.bitsPerSample > 8 ? 2 : 1);
  return Decimation(format) * bytesPerFrame;
}

WaveformGeometry MeasureWaveform(const WaveFormat& format, qsizetype pcmBytes, int width, int height, bool textBand) {
  WaveformGeometry g;
  // No view is larger; bounding it keeps every coordinate in range.
  constexpr int kMaxSide = 1 << 20;
  g.width = std::min(width, kMaxSide);
  g.height = std::clamp(height, 0, kMaxSide);
  g.wide = format.bitsPerSample > 8;
  const int band = textBand ? 2 * kWaveTextBand : 0;
  g.scale = static_cast<double>(std::max(0, g.height - band)) / (g.wide ? 65536.0 : 256.0);
  g.step = WaveformByteStep(format);
  qint64 frames = pcmBytes / std::max<qint64>(1, format.channels);
  if (g.wide) frames /= 2;
  if (frames <= 0 || g.width <= 0) return g;
  g.dx = static_cast<double>(g.width) / static_cast<double>(frames) * static_cast<double>(Decimation(format));
  g.baseline = textBand ? (g.height - 2 * kWaveTextBand) / 2 + kWaveTextBand : g.height / 2;
  // A 16-bit sample needs both of its bytes.
  const qint64 last = pcmBytes - (g.wide ? 2 : 1);
  g.samples = last < 0 ? 0 : last / g.step + 1;
  return g;
}

std::vector<QPoint> BuildWaveform(const WaveFormat& format, QByteArrayView pcm, int width, int height, bool textBand,
                                  const std::function<void(qsizetype)>& progress) {
  std::vector<QPoint> points;
  const WaveformGeometry g = MeasureWaveform(format, pcm.size(), width, height, textBand);
  if (g.samples == 0) return points;
  points.reserve(static_cast<size_t>(g.samples + 1));
  points.emplace_back(0, g.baseline);
  for (qint64 k = 0; k < g.samples; ++k) {
    points.emplace_back(g.X(k), g.Y(g.SampleAt(pcm.data(), k)));
    if (progress) progress(k * g.step);
  }
  return points;
}

QString FormatWaveTime(float seconds) {
  const int whole = static_cast<int>(seconds);
  const int ms = static_cast<int>((seconds - static_cast<float>(whole)) * 1000.0f);
  return QString::asprintf("%02d:%02d.%03d", whole / 60, whole % 60, ms);
}

float WaveSeconds(qint64 bytes, const WaveFormat& f) {
  return f.averageBytesPerSecond ? static_cast<float>(bytes) / static_cast<float>(f.averageBytesPerSecond) : 0.0f;
}

QString WaveFormatLine(const WaveFormat& f, qsizetype dataLength) {
  return QString::asprintf("Rate %u hz   Channel %u   Res %u bit  Length %lld byte   Time ", f.samplesPerSecond,
                           static_cast<unsigned>(f.channels), static_cast<unsigned>(f.bitsPerSample),
                           static_cast<long long>(dataLength)) +
         FormatWaveTime(WaveSeconds(dataLength, f));
}

QString RecordingLine(const WaveFormat& f, float recordedSeconds) {
  return QString::asprintf("Rate %u hz   Channel %u   Res %u bit   Time ", f.samplesPerSecond,
                           static_cast<unsigned>(f.channels), static_cast<unsigned>(f.bitsPerSample)) +
         FormatWaveTime(recordedSeconds);
}

int WaveMarkX(qsizetype offset, qsizetype dataLength, int width) {
  if (dataLength <= 0 || width <= 0) return 0;
  const int x = static_cast<int>(std::ceil(static_cast<double>(offset) / static_cast<double>(dataLength) * width));
  return std::clamp(x, 0, width - 1);
}

QString WaveDescription(const WaveFormat& format, qsizetype dataLength, qint64 endMark, bool open) {
  if (!open) return QStringLiteral("No sound");
  QString text = QStringLiteral("Length ") + FormatWaveTime(WaveSeconds(dataLength, format));
  if (endMark >= 0) text += QStringLiteral(", end mark ") + FormatWaveTime(WaveSeconds(endMark, format));
  return text;
}

}  // namespace orlane
