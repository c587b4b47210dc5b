// The backup at each exit: the whole user folder into a folder of the user's
// choosing, as "Orlane-auto-YYYY-MM-DD-HHMMSS.orlbak", keeping the newest N
// of them. The passphrase is not at hand then and is never kept, so these
// backups are sealed to its public key (kept in the additive settings when
// the user turns them on); the passphrase opens them as it opens any other.
#pragma once

#include "backup/backup_crypto.h"
#include "backup/backup_file.h"
#include "days/extra_settings.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace orlane {

inline constexpr char kAutoBackupFolderKey[] = "auto_backup_folder";
inline constexpr char kAutoBackupKeepKey[] = "auto_backup_keep";
inline constexpr char kAutoBackupKeyKey[] = "auto_backup_key";

struct AutoBackupPlan {
  QString folder;
  int keep = 0;
  BackupPublicKey key;
};

// Nullopt when the backups at exit are off or their settings are incomplete.
std::optional<AutoBackupPlan> AutoBackupPlanOf(const ExtraSettings& settings);
void SetAutoBackup(ExtraSettings& settings, const AutoBackupPlan& plan);
void ClearAutoBackup(ExtraSettings& settings);

QString AutoBackupFileName(const QDateTime& when);
// Whether folder may hold the automatic backups: an existing folder outside
// the user folder (whose backups would otherwise hold the older ones).
bool IsAutoBackupFolderAllowed(const QString& folder, const QString& userFolder);

// Removes the oldest automatic backups of the folder beyond keep (other files
// are never touched); the ones that could not be removed.
QStringList PruneAutoBackups(const QString& folder, int keep);

// Writes the backup of now, then prunes; file is the one written.
BackupReport RunAutoBackup(const QString& userFolder, const AutoBackupPlan& plan, const QDateTime& now, QString& file,
                           const BackupProgress& progress = {});

}  // namespace orlane
