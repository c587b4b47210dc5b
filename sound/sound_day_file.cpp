#include "sound/sound_day_file.h"

#include "platform/file_io.h"
#include "security/scramble.h"

namespace orlane {

namespace {
// Hours of 44.1 kHz 16-bit sound fit; anything beyond is not a day's sound.
constexpr qint64 kSoundReadLimit = qint64(2) << 30;
}  // namespace

SoundDay LoadSoundDay(const QString& path, const QByteArray& password) {
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kSoundReadLimit)) {
    case FileReadResult::Missing: return {};
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return {SoundDayState::Damaged, {1, {}, {}}};
    case FileReadResult::Ok: break;
  }
  switch (CheckPasswordHeader(bytes, password)) {
    case PasswordHeaderCheck::TooShort: return {SoundDayState::Damaged, {1, {}, {}}};
    case PasswordHeaderCheck::OtherPassword: return {SoundDayState::OtherPassword, {}};
    case PasswordHeaderCheck::Matches: break;
  }
  SoundDay day;
  day.image = ParseWavImage(UnwrapPasswordHeader(bytes));
  day.state = day.image.error == 0 ? SoundDayState::Loaded : SoundDayState::Damaged;
  return day;
}

WriteResult SaveSoundDay(const QString& path, const QByteArray& password, const WaveFormat& format,
                         QByteArrayView pcm) {
  return AtomicWriteFile(path, WrapWithPasswordHeader(BuildWavImage(format, pcm), password));
}

}  // namespace orlane
