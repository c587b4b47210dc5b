#include "platform/app_paths.h"

#include "platform/services.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>

namespace orlane {

namespace {
QString HomeRelative(const char* envName, const char* fallback) {
  const QString fromEnv = qEnvironmentVariable(envName);
  if (!fromEnv.isEmpty()) return WithTrailingSlash(fromEnv);
  return WithTrailingSlash(QDir::homePath() + QLatin1Char('/') + QLatin1String(fallback));
}
}  // namespace

QString WithTrailingSlash(const QString& folder) {
  QString f = folder;
  while (f.size() > 1 && f.endsWith(QLatin1Char('/'))) f.chop(1);
  if (!f.endsWith(QLatin1Char('/'))) f += QLatin1Char('/');
  return f;
}

QString ProgramFolder() {
  static const QString folder = [] {
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    const QString target = exe.canonicalFilePath();
    if (target.isEmpty()) return WithTrailingSlash(QDir::currentPath());
    return WithTrailingSlash(QFileInfo(target).absolutePath());
  }();
  return folder;
}

QString ResolveUserFolder() {
  const QString fromEnv = qEnvironmentVariable("ORLANE_USER_DIR");
  if (!fromEnv.isEmpty()) return WithTrailingSlash(QDir(fromEnv).absolutePath());
  QString portable = ProgramFolder() + QStringLiteral("User/");
  if (QFileInfo(portable).isDir()) return portable;
  return WritableDataFolder() + QStringLiteral("User/");
}

QString UserFolder() {
  return Service(&Services::userFolder);
}

void SetUserFolder(const QString& folder) {
  SetService(&Services::userFolder, WithTrailingSlash(folder));
}

QString UserFilePath(const char* name) {
  return UserFolder() + QLatin1String(name);
}

QString WritableDataFolder() {
  return HomeRelative("XDG_DATA_HOME", ".local/share") + QStringLiteral("orlane/");
}

QString ConfigFolder() {
  return HomeRelative("XDG_CONFIG_HOME", ".config");
}

QString InstalledDataFolder() {
  const QString installed =
      WithTrailingSlash(QDir(ProgramFolder() + QStringLiteral(ORLANE_DATA_FROM_BIN)).absolutePath());
  return QFileInfo(installed).isDir() ? installed : QString();
}

QStringList ProgramDataFolders() {
  QStringList folders{ProgramFolder()};
  const QString installed = InstalledDataFolder();
  if (!installed.isEmpty()) folders << installed;
  for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    const QString candidate = WithTrailingSlash(dir) + QStringLiteral("orlane/");
    if (!folders.contains(candidate) && QFileInfo(candidate).isDir()) folders << candidate;
  }
  return folders;
}

}  // namespace orlane
