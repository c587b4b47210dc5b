#include "cli/commands.h"
#include "days/day_files.h"
#include "platform/file_io.h"
#include "sound/sound_day_file.h"

#include <QFileInfo>

namespace orlane::cli {

int RunSound(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  const std::optional<CalendarDate> date = ParseIsoDate(context.arg(1));
  if (context.arg(0) != QLatin1String("export") || context.args().size() != 3 || !date)
    return context.usage(QStringLiteral("usage: orlanectl sound export DATE FILE"));
  QByteArray password;
  if (const int code = context.login(password)) return code;
  const SoundDay day = LoadSoundDay(DayFilePath(date->year, date->month, date->day, DayFileKind::Sound), password);
  switch (day.state) {
    case SoundDayState::None:
      return context.fail(kExitRefused,
                          QStringLiteral("There is no sound diary on ") + context.arg(1) + QLatin1Char('.'));
    case SoundDayState::OtherPassword:
      return context.fail(kExitOtherPassword, QStringLiteral("The sound diary belongs to another password."));
    case SoundDayState::Damaged: return context.fail(kExitFileError, WavErrorMessage(day.image.error));
    case SoundDayState::Loaded: break;
  }
  const QString target = QFileInfo(context.arg(2)).absoluteFilePath();
  if (AtomicWriteFile(target, BuildWavImage(day.image.format, day.image.pcm)) != WriteResult::Written)
    return context.fail(kExitFileError, QStringLiteral("cannot write ") + target);
  return kExitOk;
}

}  // namespace orlane::cli
