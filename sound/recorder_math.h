// The arithmetic of the recorder and player: the engine's states, the input
// buffers for a format, sample alignment of marks, times typed as text, the
// offset under the mouse, the position within the one playback header, the
// level of a recorded buffer, the format a recording uses and the rule that a
// day's sound keeps one format. Pure.
#pragma once

#include "platform/audio/wave_types.h"
#include "sound/wav_image.h"

#include <QStringView>

namespace orlane {

enum class SoundState : int { Stopped = 0, Playing = 1, Paused = 2, Recording = 3 };

inline constexpr int kMaxInputBuffers = 10;

// N, the input buffers a recording queues: for 16 bits 9 at exactly 22050 Hz,
// else 10; for 8 bits 3 up to 22050 Hz, else 5; any other depth keeps previous.
int InputBufferCount(const WaveFormat& format, int previous);
// Bytes of each input buffer: samples per second / N.
quint32 InputBufferBytes(const WaveFormat& format, int count);
// The record memory: samples per second × 4 bytes.
qint64 RecordMemoryBytes(const WaveFormat& format);

// An offset aligned down to a multiple of the bits per sample taken as a
// byte count (8 bytes for 8-bit sounds, 16 for 16-bit ones); never negative.
qint64 AlignToSample(qint64 offset, int bitsPerSample);

// "m:s.ms": (minutes × 60 + seconds + milliseconds × 0.001) × bytes per
// second, truncated; each part is read as a decimal number, as atoi does.
qint64 TimeTextToBytes(QStringView text, quint32 averageBytesPerSecond);
// The byte count of 10 ms, the arrow keys' step.
qint64 KeyStepBytes(quint32 averageBytesPerSecond);
// The value an arrow key makes of a mark: −step for Left, +step for Right,
// clamped to 0..data length (an unset end mark, −1, becomes a value).
qint64 StepMark(qint64 value, int direction, qint64 step, qint64 dataLength);

// The offset under x of a view width pixels wide: data length / width × x in
// floating point, truncated, kept inside the sound.
qint64 OffsetAtX(int x, int width, qint64 dataLength);

// Where playback is: the header covers the last headerLength bytes; played
// bytes count from its start, and a header played to its end reports its start.
qint64 PlayPositionOf(qint64 dataLength, qint64 headerLength, quint64 played);

// The level message of a recorded buffer: the full scale (32767 for more than
// 8 bits, 128 for 8 bits) and the magnitude of the buffer's first sample,
// never above the full scale.
struct InputLevel {
  int fullScale = 128;
  int magnitude = 0;
};
InputLevel LevelOfBuffer(const char* data, quint32 length, int bitsPerSample);

// The format the Record command sets: PCM, mono, the configured rate and bits,
// bytes per second = bits / 8 × rate, block align = bits / 8.
WaveFormat RecordingFormat(int rate, int bits);
// Whether a day's sound of this format refuses a recording at rate and bits.
bool FormatDiffersFromSettings(const WaveFormat& sound, int rate, int bits);

audio::WaveFormat ToDeviceFormat(const WaveFormat& format);

// The wave device's error code for a failed open, as the load message shows
// it after "Audio Open Error:8:": 32 a format the device refuses, 2 no device.
int WaveOpenErrorCode(audio::WaveStatus status);

}  // namespace orlane
