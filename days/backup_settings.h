// What the additive settings keep about backups: when the last one was made
// and into which folder (written by every backup that succeeded, from the
// window or from orlanectl), and the reminder to back up that the title line
// shows once backup_reminder_days days have passed since, or when there was
// none yet and the user folder holds days. The passphrase is never kept.
#pragma once

#include "days/extra_settings.h"
#include "platform/file_io.h"

#include <QDate>
#include <QString>
#include <ctime>
#include <optional>

namespace orlane {

inline constexpr char kLastBackupKey[] = "last_backup";
inline constexpr char kBackupFolderKey[] = "backup_folder";
inline constexpr char kBackupReminderDaysKey[] = "backup_reminder_days";

// Nullopt when no backup was recorded (or the value is not a time).
std::optional<std::time_t> LastBackupTime(const ExtraSettings& settings);
// Keeps when and the folder of file as the last backup's.
void SetLastBackup(ExtraSettings& settings, std::time_t when, const QString& file);

// The file a new backup is offered under: "Orlane-backup-YYYY-MM-DD.orlbak"
// of today in the last backup's folder, else in documents.
QString DefaultBackupPath(const ExtraSettings& settings, const QDate& today, const QString& documents);

// "No backup for 12 days.", "No backup yet." or empty when none is due.
QString BackupReminderText(const ExtraSettings& settings, std::time_t now, bool folderHasDays);

// Whether the user folder holds a day file of any kind.
bool UserFolderHasDays();

// SetLastBackup() into the additive settings file at path, keeping the rest
// of it as it is.
WriteResult RecordBackup(const QString& path, std::time_t when, const QString& file);

}  // namespace orlane
