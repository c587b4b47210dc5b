// A day's sound diary file "<daykey>.rec": the password header, then the WAV
// image with every byte scrambled.
#pragma once

#include "platform/file_io.h"
#include "sound/wav_image.h"

#include <QByteArray>
#include <QString>

namespace orlane {

enum class SoundDayState { None, Loaded, OtherPassword, Damaged };

struct SoundDay {
  SoundDayState state = SoundDayState::None;
  WavImage image;  // when Loaded (or Damaged, with its error number)
};

SoundDay LoadSoundDay(const QString& path, const QByteArray& password);
// Written atomically, or Failed and the old file stays.
WriteResult SaveSoundDay(const QString& path, const QByteArray& password, const WaveFormat& format, QByteArrayView pcm);

}  // namespace orlane
