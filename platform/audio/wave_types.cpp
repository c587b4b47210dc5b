#include "platform/audio/wave_types.h"

namespace orlane::audio {

WaveFormat WaveFormat::Pcm(quint16 channels, quint32 rate, quint16 bits) {
  WaveFormat f;
  f.formatTag = 1;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.blockAlign = static_cast<quint16>(channels * (bits / 8));
  f.avgBytesPerSec = rate * f.blockAlign;
  f.bitsPerSample = bits;
  return f;
}

bool IsPlayableFormat(const WaveFormat& f) {
  if (f.formatTag != 1) return false;
  if (f.channels < 1 || f.channels > 8) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 && f.bitsPerSample != 32) return false;
  if (f.samplesPerSec < 1000 || f.samplesPerSec > 384000) return false;
  return f.blockAlign == f.channels * (f.bitsPerSample / 8);
}

WaveStatus PrepareBuffer(WaveBuffer* buffer) {
  if (buffer == nullptr || buffer->data == nullptr) return WaveStatus::InvalidBuffer;
  if (buffer->flags & kBufferInQueue) return WaveStatus::StillQueued;
  buffer->flags |= kBufferPrepared;
  return WaveStatus::Ok;
}

WaveStatus UnprepareBuffer(WaveBuffer* buffer) {
  if (buffer == nullptr) return WaveStatus::InvalidBuffer;
  if (buffer->flags & kBufferInQueue) return WaveStatus::StillQueued;
  buffer->flags &= ~kBufferPrepared;
  return WaveStatus::Ok;
}

}  // namespace orlane::audio
