// The WAV image of a day's sound: RIFF "WAVE", an 18-byte "fmt " chunk (PCM,
// mono, 8 or 16 bits) and a "data" chunk padded to an even length. The reader
// takes images from other writers too: chunks in any order, unknown chunks
// skipped, a longer fmt chunk read for its first 18 bytes. Every size is
// checked against the end of the image, and a format the program cannot play
// is refused before anything is computed from it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace orlane {

struct WaveFormat {
  std::uint16_t formatTag = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSecond = 8000;
  std::uint32_t averageBytesPerSecond = 8000;
  std::uint16_t blockAlign = 1;
  std::uint16_t bitsPerSample = 8;
  std::uint16_t extraSize = 0;

  static WaveFormat Pcm(std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample, std::uint16_t channels = 1);
  bool operator==(const WaveFormat&) const = default;
};

// PCM, 1 or 2 channels, 8 or 16 bits, 1000 to 384000 samples a second, with
// block align and byte rate that agree with them.
bool IsSupportedWaveFormat(const WaveFormat& format);

inline constexpr int kWaveFormatRecordSize = 18;
inline constexpr int kWaveHeaderSize = 46;  // up to the first sample

QByteArray BuildWavImage(const WaveFormat& format, QByteArrayView pcm);

// What reading an image found. The error numbers are those of the messages:
// 1 not readable, 2 no RIFF/WAVE, 3 no fmt chunk, 4 fmt chunk short,
// 5 no data chunk, 6 empty data chunk, 7 data chunk short, 8 a format the
// wave output cannot open (told with the device's bad-format code).
struct WavImage {
  int error = 0;
  WaveFormat format;
  QByteArray pcm;
};
WavImage ParseWavImage(QByteArrayView bytes);

inline constexpr int kWaveBadFormatError = 8;
inline constexpr int kWaveBadFormatCode = 32;  // the wave device's "unsupported format"

// "Audio Open Error:N" or "Audio Read Error:N" for an error number;
// "Audio Open Error:8:32" for a format that cannot be played.
QString WavErrorMessage(int error);

}  // namespace orlane
