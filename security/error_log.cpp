#include "security/error_log.h"

#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "security/registry_key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdarg>
#include <cstdio>

namespace orlane {

QString ErrorLogPath() {
  QString folder = ReadInstallPath();
  if (folder.isEmpty()) folder = WritableDataFolder();
  return WithTrailingSlash(folder) + QStringLiteral("ErrorMsg.txt");
}

void LogError(const char* format, ...) {
  char message[kErrorLogMessageLimit + 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);

  const QString when = FormatLocalTime("%c", NowSeconds());
  const QByteArray line = "[" + when.toLocal8Bit() + "] " + QByteArray(message) + "\r\n";

  const QString path = ErrorLogPath();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite)) return;
  if (file.size() > kErrorLogResetSize) {
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  }
  file.seek(file.size());
  file.write(line);
}

}  // namespace orlane
