#include "backup/backup_result.h"

namespace orlane {

QString BackupResultMessage(BackupResult result, const QString& detail) {
  const QString suffix = detail.isEmpty() ? QString() : QStringLiteral(": ") + detail;
  switch (result) {
    case BackupResult::Done: return QStringLiteral("The backup is complete.");
    case BackupResult::Cancelled: return QStringLiteral("The backup was cancelled; nothing was written.");
    case BackupResult::WrongPassphrase:
      return QStringLiteral("Wrong passphrase (or the beginning of the backup is damaged); nothing was written.");
    case BackupResult::NotABackup: return QStringLiteral("This is not a backup of Orlane 2") + suffix;
    case BackupResult::Damaged:
      return QStringLiteral("The backup is damaged or cut short; nothing was written") + suffix;
    case BackupResult::SourceUnreadable: return QStringLiteral("Cannot read a file of the user folder") + suffix;
    case BackupResult::TargetNotEmpty:
      return QStringLiteral("A backup is restored only into an empty or new folder") + suffix;
    case BackupResult::TargetIsUserFolder:
      return QStringLiteral("A backup is never restored into the user folder in use") + suffix;
    case BackupResult::ReadFailed: return QStringLiteral("Cannot read the backup") + suffix;
    case BackupResult::WriteFailed: return QStringLiteral("Cannot write") + suffix;
  }
  return {};
}

}  // namespace orlane
