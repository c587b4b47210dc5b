// The records a wave device and its caller share: the PCM format of a stream,
// a caller-owned buffer header that a device holds while it is queued, and the
// result codes of every device call.
#pragma once

#include <QtGlobal>

namespace orlane::audio {

// One PCM stream format (the fields of a wave format record).
struct WaveFormat {
  quint16 formatTag = 1;  // 1 = PCM, the only tag the devices accept
  quint16 channels = 1;
  quint32 samplesPerSec = 8000;
  quint32 avgBytesPerSec = 8000;
  quint16 blockAlign = 1;
  quint16 bitsPerSample = 8;

  // PCM, mono or more channels, with the derived fields computed.
  static WaveFormat Pcm(quint16 channels, quint32 rate, quint16 bits);
  bool operator==(const WaveFormat&) const = default;
};

// Whether a device can play or record this format: PCM, 1..8 channels,
// 8/16/24/32 bits, 1000..384000 samples per second, consistent block align.
bool IsPlayableFormat(const WaveFormat& format);

inline constexpr quint32 kBufferDone = 0x1;      // the device has returned it
inline constexpr quint32 kBufferPrepared = 0x2;  // prepare() was called
inline constexpr quint32 kBufferInQueue = 0x10;  // queued on a device

// A buffer header. The caller owns it and the bytes it points at; a device
// holds a pointer to both from write()/addBuffer() until it reports the
// buffer done, so neither may move or go away before that.
struct WaveBuffer {
  char* data = nullptr;
  quint32 length = 0;         // bytes at data
  quint32 bytesRecorded = 0;  // input: bytes filled when returned
  quint32 flags = 0;
  quintptr user = 0;  // free for the caller
};

enum class WaveStatus : int {
  Ok = 0,
  NoDevice = -1,   // no sound device, or it could not be opened
  BadFormat = -2,  // the device refuses the format
  NotOpen = -3,    // call on a closed device
  AlreadyOpen = -4,
  Unprepared = -5,     // buffer not prepared
  StillQueued = -6,    // buffer still held by a device
  InvalidBuffer = -7,  // null header or data
  DeviceError = -8,    // the device failed while running
};

// Marks a buffer ready for write()/addBuffer(); refuses one still queued.
WaveStatus PrepareBuffer(WaveBuffer* buffer);
// Releases a prepared buffer; refuses one still queued.
WaveStatus UnprepareBuffer(WaveBuffer* buffer);

}  // namespace orlane::audio
