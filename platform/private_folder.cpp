#include "platform/private_folder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

namespace orlane {

bool IsPrivateFolder(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 07777) == 0700;
}

QString MakeFreshPrivateFolder(const QString& parent, const QString& prefix) {
  QByteArray pattern = QFile::encodeName(parent + QLatin1Char('/') + prefix) + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return QFile::decodeName(pattern);
}

QString PrivateFolderParent() {
  QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && IsPrivateFolder(runtime)) return runtime;
  return QDir::tempPath();
}

}  // namespace orlane
