#include "sound/recorder_math.h"

#include <algorithm>
#include <cstdlib>

namespace orlane {

int InputBufferCount(const WaveFormat& f, int previous) {
  if (f.bitsPerSample == 16) return f.samplesPerSecond == 22050 ? 9 : 10;
  if (f.bitsPerSample == 8) return f.samplesPerSecond <= 22050 ? 3 : 5;
  return std::clamp(previous, 1, kMaxInputBuffers);
}

quint32 InputBufferBytes(const WaveFormat& f, int count) {
  return count > 0 ? f.samplesPerSecond / static_cast<quint32>(count) : 0;
}

qint64 RecordMemoryBytes(const WaveFormat& f) {
  return static_cast<qint64>(f.samplesPerSecond) * 4;
}

qint64 AlignToSample(qint64 offset, int bitsPerSample) {
  if (offset <= 0) return 0;
  return bitsPerSample > 0 ? offset - offset % bitsPerSample : offset;
}

namespace {
// atoi of a part of the text: optional sign, then digits; anything else ends it.
long long LeadingNumber(QStringView part) {
  qsizetype i = 0;
  while (i < part.size() && part[i].isSpace()) ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == u'-' || part[i] == u'+')) negative = part[i++] == u'-';
  long long value = 0;
  for (; i < part.size() && part[i] >= u'0' && part[i] <= u'9' && value < 1'000'000'000; ++i)
    value = value * 10 + (part[i].unicode() - u'0');
  return negative ? -value : value;
}
}  // namespace

qint64 TimeTextToBytes(QStringView text, quint32 averageBytesPerSecond) {
  const qsizetype colon = text.indexOf(u':');
  const qsizetype point = text.indexOf(u'.', colon < 0 ? 0 : colon + 1);
  const QStringView minutes = colon < 0 ? QStringView() : text.first(colon);
  const qsizetype secondsFrom = colon < 0 ? 0 : colon + 1;
  const QStringView seconds = text.sliced(secondsFrom, (point < 0 ? text.size() : point) - secondsFrom);
  const QStringView millis = point < 0 ? QStringView() : text.sliced(point + 1);
  const double total = static_cast<double>(LeadingNumber(minutes)) * 60.0 +
                       static_cast<double>(LeadingNumber(seconds)) + static_cast<double>(LeadingNumber(millis)) * 0.001;
  // Out-of-range texts saturate instead of overflowing.
  constexpr double kLimit = 9.0e18;
  return static_cast<qint64>(std::clamp(total * averageBytesPerSecond, -kLimit, kLimit));
}

qint64 KeyStepBytes(quint32 averageBytesPerSecond) {
  return TimeTextToBytes(u"0:0.10", averageBytesPerSecond);
}

qint64 StepMark(qint64 value, int direction, qint64 step, qint64 dataLength) {
  const qint64 moved = direction < 0 ? value - step : direction > 0 ? value + step : value;
  return std::clamp<qint64>(moved, 0, std::max<qint64>(0, dataLength));
}

qint64 OffsetAtX(int x, int width, qint64 dataLength) {
  if (width <= 0 || dataLength <= 0) return 0;
  const auto offset = static_cast<qint64>(static_cast<double>(dataLength) / width * x);
  return std::clamp<qint64>(offset, 0, dataLength);
}

qint64 PlayPositionOf(qint64 dataLength, qint64 headerLength, quint64 played) {
  const qint64 start = dataLength - headerLength;
  if (played >= static_cast<quint64>(headerLength)) return start;
  return start + static_cast<qint64>(played);
}

InputLevel LevelOfBuffer(const char* data, quint32 length, int bitsPerSample) {
  InputLevel level;
  level.fullScale = bitsPerSample > 8 ? 32767 : 128;
  if (bitsPerSample > 8 && length >= 2) {
    const auto sample =
        static_cast<std::int16_t>(static_cast<std::uint8_t>(data[0]) | (static_cast<std::uint8_t>(data[1]) << 8));
    level.magnitude = std::min(std::abs(static_cast<int>(sample)), level.fullScale);
  } else if (bitsPerSample <= 8 && length >= 1) {
    level.magnitude = std::abs(static_cast<std::uint8_t>(data[0]) - 128);
  }
  return level;
}

WaveFormat RecordingFormat(int rate, int bits) {
  WaveFormat f;
  f.channels = 1;
  f.samplesPerSecond = static_cast<std::uint32_t>(std::max(0, rate));
  f.bitsPerSample = static_cast<std::uint16_t>(std::clamp(bits, 0, 0xFFFF));
  f.blockAlign = static_cast<std::uint16_t>(f.bitsPerSample / 8);
  f.averageBytesPerSecond = f.blockAlign * f.samplesPerSecond;
  return f;
}

bool FormatDiffersFromSettings(const WaveFormat& sound, int rate, int bits) {
  return static_cast<qint64>(sound.samplesPerSecond) != rate || static_cast<qint64>(sound.bitsPerSample) != bits;
}

audio::WaveFormat ToDeviceFormat(const WaveFormat& f) {
  audio::WaveFormat d;
  d.formatTag = f.formatTag;
  d.channels = f.channels;
  d.samplesPerSec = f.samplesPerSecond;
  d.avgBytesPerSec = f.averageBytesPerSecond;
  d.blockAlign = f.blockAlign;
  d.bitsPerSample = f.bitsPerSample;
  return d;
}

int WaveOpenErrorCode(audio::WaveStatus status) {
  return status == audio::WaveStatus::BadFormat ? kWaveBadFormatCode : 2;
}

}  // namespace orlane
