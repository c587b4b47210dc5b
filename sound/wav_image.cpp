#include "sound/wav_image.h"

#include "platform/archive.h"

#include <algorithm>

namespace orlane {

namespace {
constexpr int kChunkHeader = 8;

std::uint32_t U32At(QByteArrayView b, qsizetype at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

struct Chunk {
  qsizetype body = -1;  // offset of the chunk's bytes
  std::uint32_t size = 0;
};

// The first chunk called id among the chunks from `from` to `end`.
Chunk FindChunk(QByteArrayView b, qsizetype from, qsizetype end, QByteArrayView id) {
  for (qsizetype at = from; at + kChunkHeader <= end;) {
    const std::uint32_t size = U32At(b, at + 4);
    if (b.sliced(at, 4) == id) return {at + kChunkHeader, size};
    const qsizetype next = at + kChunkHeader + static_cast<qsizetype>(size) + (size & 1);
    if (next <= at) break;
    at = next;
  }
  return {};
}
}  // namespace

WaveFormat WaveFormat::Pcm(std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
  WaveFormat f;
  f.channels = channels;
  f.samplesPerSecond = rate;
  f.bitsPerSample = bits;
  f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
  f.averageBytesPerSecond = rate * f.blockAlign;
  return f;
}

QByteArray BuildWavImage(const WaveFormat& format, QByteArrayView pcm) {
  const auto dataLength = static_cast<std::uint32_t>(pcm.size());
  const std::uint32_t pad = dataLength & 1;
  QByteArray out;
  out.reserve(kWaveHeaderSize + pcm.size() + 1);
  ArchiveWriter w(out);
  out += "RIFF";
  w.writeUInt32(38 + dataLength + pad);
  out += "WAVEfmt ";
  w.writeUInt32(kWaveFormatRecordSize);
  w.writeUInt16(format.formatTag);
  w.writeUInt16(format.channels);
  w.writeUInt32(format.samplesPerSecond);
  w.writeUInt32(format.averageBytesPerSecond);
  w.writeUInt16(format.blockAlign);
  w.writeUInt16(format.bitsPerSample);
  w.writeUInt16(0);
  out += "data";
  w.writeUInt32(dataLength);
  out.append(pcm.data(), pcm.size());
  if (pad) out.append('\0');
  return out;
}

bool IsSupportedWaveFormat(const WaveFormat& f) {
  if (f.formatTag != 1 || f.channels < 1 || f.channels > 2) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
  if (f.samplesPerSecond < 1000 || f.samplesPerSecond > 384000) return false;
  const std::uint32_t align = f.channels * (f.bitsPerSample / 8u);
  return f.blockAlign == align && f.averageBytesPerSecond == f.samplesPerSecond * align;
}

WavImage ParseWavImage(QByteArrayView b) {
  WavImage image;
  if (b.size() < 12) return {b.isEmpty() ? 1 : 2, {}, {}};
  if (b.first(4) != QByteArrayView("RIFF") || b.sliced(8, 4) != QByteArrayView("WAVE")) return {2, {}, {}};
  // A RIFF size beyond the image is taken as the image's end.
  const qsizetype end = std::min<qsizetype>(b.size(), 8 + static_cast<qsizetype>(U32At(b, 4)));
  const Chunk fmt = FindChunk(b, 12, end, "fmt ");
  if (fmt.body < 0) return {3, {}, {}};
  // The part of the chunk the record takes must be there, not only its size.
  const qsizetype recordBytes = std::min<qsizetype>(fmt.size, kWaveFormatRecordSize);
  if (fmt.size < 16 || fmt.body + recordBytes > end) return {4, {}, {}};
  ArchiveReader in(b.sliced(fmt.body, recordBytes));
  in.readUInt16(image.format.formatTag);
  in.readUInt16(image.format.channels);
  in.readUInt32(image.format.samplesPerSecond);
  in.readUInt32(image.format.averageBytesPerSecond);
  in.readUInt16(image.format.blockAlign);
  in.readUInt16(image.format.bitsPerSample);
  if (recordBytes == kWaveFormatRecordSize) in.readUInt16(image.format.extraSize);
  const Chunk data = FindChunk(b, 12, end, "data");
  if (data.body < 0) return {5, {}, {}};
  if (data.size == 0) return {6, {}, {}};
  if (data.body + static_cast<qsizetype>(data.size) > b.size()) return {7, {}, {}};
  if (!IsSupportedWaveFormat(image.format)) return {kWaveBadFormatError, image.format, {}};
  image.pcm = b.sliced(data.body, data.size).toByteArray();
  return image;
}

QString WavErrorMessage(int error) {
  const bool read = error == 4 || error == 7;
  QString text =
      (read ? QStringLiteral("Audio Read Error:") : QStringLiteral("Audio Open Error:")) + QString::number(error);
  if (error == kWaveBadFormatError) text += QLatin1Char(':') + QString::number(kWaveBadFormatCode);
  return text;
}

}  // namespace orlane
