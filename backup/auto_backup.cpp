#include "backup/auto_backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace orlane {

namespace {
const QRegularExpression& AutoBackupName() {
  static const QRegularExpression name(QStringLiteral("^Orlane-auto-\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.orlbak$"));
  return name;
}

QString CanonicalOrClean(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

std::optional<AutoBackupPlan> AutoBackupPlanOf(const ExtraSettings& settings) {
  AutoBackupPlan plan;
  plan.folder = settings.text(QLatin1String(kAutoBackupFolderKey));
  plan.keep = settings.integer(QLatin1String(kAutoBackupKeepKey));
  const std::optional<BackupPublicKey> key = ParseBackupPublicKey(settings.text(QLatin1String(kAutoBackupKeyKey)));
  if (plan.keep <= 0 || plan.folder.isEmpty() || !key) return std::nullopt;
  plan.key = *key;
  return plan;
}

void SetAutoBackup(ExtraSettings& settings, const AutoBackupPlan& plan) {
  settings.set(QLatin1String(kAutoBackupFolderKey), plan.folder);
  settings.setInteger(QLatin1String(kAutoBackupKeepKey), plan.keep);
  settings.set(QLatin1String(kAutoBackupKeyKey), FormatBackupPublicKey(plan.key));
}

void ClearAutoBackup(ExtraSettings& settings) {
  // Settings that never had a plan stay as they are (and their file unwritten).
  if (settings.isStored(QLatin1String(kAutoBackupKeepKey))) settings.setInteger(QLatin1String(kAutoBackupKeepKey), 0);
  if (settings.isStored(QLatin1String(kAutoBackupKeyKey))) settings.set(QLatin1String(kAutoBackupKeyKey), QString());
}

QString AutoBackupFileName(const QDateTime& when) {
  return QStringLiteral("Orlane-auto-%1.orlbak").arg(when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
}

bool IsAutoBackupFolderAllowed(const QString& folder, const QString& userFolder) {
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
  const QString target = CanonicalOrClean(folder);
  const QString user = CanonicalOrClean(userFolder);
  return target != user && !target.startsWith(user + QLatin1Char('/'));
}

QStringList PruneAutoBackups(const QString& folder, int keep) {
  QStringList names;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
    if (AutoBackupName().match(name).hasMatch()) names.append(name);
  // The names sort by the time they were made.
  QStringList failed;
  for (qsizetype i = 0; i + std::max(keep, 0) < names.size(); ++i) {
    const QString path = QDir(folder).filePath(names[i]);
    if (!QFile::remove(path)) failed.append(path);
  }
  return failed;
}

BackupReport RunAutoBackup(const QString& userFolder, const AutoBackupPlan& plan, const QDateTime& now, QString& file,
                           const BackupProgress& progress) {
  file = QDir(plan.folder).filePath(AutoBackupFileName(now));
  if (!IsAutoBackupFolderAllowed(plan.folder, userFolder))
    return {BackupResult::WriteFailed, plan.folder + QStringLiteral(": not a folder outside the user folder")};
  BackupReport report = CreateBackup(userFolder, file, plan.key, progress);
  if (!report.ok()) return report;
  const QStringList left = PruneAutoBackups(plan.folder, plan.keep);
  if (!left.isEmpty())
    return {BackupResult::WriteFailed, QStringLiteral("older backups could not be removed: ") + left.join(", ")};
  return report;
}

}  // namespace orlane
