#include "days/backup_settings.h"

#include "days/day_files.h"

#include <QDir>
#include <QFileInfo>

namespace orlane {

namespace {
constexpr std::time_t kDaySeconds = 24 * 60 * 60;
}  // namespace

std::optional<std::time_t> LastBackupTime(const ExtraSettings& settings) {
  bool ok = false;
  const qlonglong seconds = settings.text(QLatin1String(kLastBackupKey)).trimmed().toLongLong(&ok);
  if (!ok || seconds <= 0) return std::nullopt;
  return static_cast<std::time_t>(seconds);
}

void SetLastBackup(ExtraSettings& settings, std::time_t when, const QString& file) {
  settings.set(QLatin1String(kLastBackupKey), QString::number(static_cast<qlonglong>(when)));
  settings.set(QLatin1String(kBackupFolderKey), QFileInfo(file).absolutePath());
}

QString DefaultBackupPath(const ExtraSettings& settings, const QDate& today, const QString& documents) {
  const QString kept = settings.text(QLatin1String(kBackupFolderKey));
  const QString folder = kept.isEmpty() || !QFileInfo(kept).isDir() ? documents : kept;
  return QDir(folder).filePath(QStringLiteral("Orlane-backup-%1.orlbak").arg(today.toString(Qt::ISODate)));
}

QString BackupReminderText(const ExtraSettings& settings, std::time_t now, bool folderHasDays) {
  const int days = settings.integer(QLatin1String(kBackupReminderDaysKey));
  if (days <= 0) return {};
  const std::optional<std::time_t> last = LastBackupTime(settings);
  if (!last) return folderHasDays ? QStringLiteral("No backup yet.") : QString();
  // A backup "in the future" (the clock was set back) is taken as just made.
  const std::time_t since = (now - *last) / kDaySeconds;
  if (since < days) return {};
  return QStringLiteral("No backup for %1 days.").arg(static_cast<qlonglong>(since));
}

bool UserFolderHasDays() {
  const QString first = QStringLiteral("00000000");
  const QString last = QStringLiteral("ffffffff");
  for (const DayFileKind kind : {DayFileKind::Diary, DayFileKind::Reminders, DayFileKind::Sound})
    if (!DayKeysWithFile(kind, first, last).isEmpty()) return true;
  return false;
}

WriteResult RecordBackup(const QString& path, std::time_t when, const QString& file) {
  ExtraSettings base;
  if (ReadExtraSettingsFile(path, base) == ExtraSettingsReadResult::Unreadable) return WriteResult::Failed;
  ExtraSettings edited = base;
  SetLastBackup(edited, when, file);
  return SaveExtraSettingsChange(path, base, edited);
}

}  // namespace orlane
