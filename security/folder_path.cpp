#include "security/folder_path.h"

#include "security/error_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orlane {

int CreateFolderPath(const QString& path) {
  QString full = path;
  if (!full.endsWith(QLatin1Char('/'))) full += QLatin1Char('/');
  // Each prefix up to a '/' after the first character names one folder.
  for (qsizetype i = 1; i < full.size(); ++i) {
    if (full[i] != QLatin1Char('/') || full[i - 1] == QLatin1Char('/')) continue;
    const QString prefix = full.left(i + 1);
    if (QFileInfo(prefix).isDir()) continue;
    if (!QDir().mkdir(prefix, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
      LogError("%s directory create failed.", prefix.toLocal8Bit().constData());
      return 0;
    }
  }
  return 1;
}

}  // namespace orlane
