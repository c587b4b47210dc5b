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

std::vector<QPoint> BuildWaveform(const WaveFormat& format, QByteArrayView pcm, int width, int height, bool textBand,
                                  const std::function<void(qsizetype)>& progress) {
  std::vector<QPoint> points;
  // No view is larger; bounding it keeps every coordinate in range.
  constexpr int kMaxSide = 1 << 20;
  width = std::min(width, kMaxSide);
  height = std::clamp(height, 0, kMaxSide);
  const bool wide = format.bitsPerSample > 8;
  const int band = textBand ? 2 * kWaveTextBand : 0;
  const double scale = static_cast<double>(std::max(0, height - band)) / (wide ? 65536.0 : 256.0);
  const qint64 step = WaveformByteStep(format);
  qint64 frames = pcm.size() / std::max<qint64>(1, format.channels);
  if (wide) frames /= 2;
  if (frames <= 0 || width <= 0) return points;
  const double dx = static_cast<double>(width) / static_cast<double>(frames) * static_cast<double>(Decimation(format));
  const int baseline = textBand ? (height - 2 * kWaveTextBand) / 2 + kWaveTextBand : height / 2;
  points.reserve(static_cast<size_t>(pcm.size() / step + 2));
  points.emplace_back(0, baseline);
  double x = 0;
  for (qint64 p = 0; p < pcm.size(); p += step) {
    int sample = 0;
    if (wide) {
      if (p + 1 >= pcm.size()) break;
      sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(pcm[p]) | (static_cast<std::uint8_t>(pcm[p + 1]) << 8));
    } else {
      sample = static_cast<std::uint8_t>(pcm[p]) - 128;
    }
    // x stays inside the view even for a step that skips most of the sound.
    points.emplace_back(static_cast<int>(std::min(x, static_cast<double>(width))),
                        baseline - static_cast<int>(sample * scale));
    x += dx;
    if (progress) progress(p);
  }
  return points;
}

QString FormatWaveTime(float seconds) {
  const int whole = static_cast<int>(seconds);
  const int ms = static_cast<int>((seconds - static_cast<float>(whole)) * 1000.0f);
  return QString::asprintf("%02d:%02d.%03d", whole / 60, whole % 60, ms);
}

namespace {
float SecondsOf(qsizetype bytes, const WaveFormat& f) {
  return f.averageBytesPerSecond ? static_cast<float>(bytes) / static_cast<float>(f.averageBytesPerSecond) : 0.0f;
}
}  // namespace

QString WaveFormatLine(const WaveFormat& f, qsizetype dataLength) {
  return QString::asprintf("Rate %u hz   Channel %u   Res %u bit  Length %lld byte   Time ", f.samplesPerSecond,
                           static_cast<unsigned>(f.channels), static_cast<unsigned>(f.bitsPerSample),
                           static_cast<long long>(dataLength)) +
         FormatWaveTime(SecondsOf(dataLength, f));
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

}  // namespace orlane
