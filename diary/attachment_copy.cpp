#include "diary/attachment_copy.h"

#include "platform/private_folder.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <fcntl.h>
#include <unistd.h>

namespace orlane {

namespace {
constexpr const char* kExecutableTypes[] = {
    "application/x-executable",
    "application/x-pie-executable",
    "application/x-sharedlib",
    "application/x-shellscript",
    "application/x-desktop",
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/x-msi",
    "application/x-java-archive",
    "application/x-perl",
    "text/x-python",
    "text/x-python3",
    "application/x-ruby",
    "application/vnd.appimage",
    "application/x-csh",
    "application/x-ms-shortcut",
};

constexpr const char* kExecutableSuffixes[] = {
    "desktop", "sh",  "bash", "zsh", "csh", "ksh", "py",  "pl",  "rb",       "php", "run", "bin",
    "exe",     "com", "bat",  "cmd", "msi", "scr", "jar", "lnk", "appimage", "ps1", "vbs", "elf",
};

bool WriteAll(int fd, const QByteArray& data) {
  const char* p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
    if (n <= 0) return false;
    p += n;
    left -= n;
  }
  return true;
}
}  // namespace

QString AttachmentFileName(const QString& name) {
  QString file = QFileInfo(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
  file.remove(QChar(0));
  if (file.isEmpty() || file == QLatin1String(".") || file == QLatin1String("..")) return QStringLiteral("attachment");
  return file;
}

bool IsExecutableAttachment(const QString& name, const QByteArray& data) {
  if (data.startsWith("#!") ||
      data.startsWith("\x7F"
                      "ELF") ||
      data.startsWith("MZ"))
    return true;
  const QString suffix = QFileInfo(AttachmentFileName(name)).suffix().toLower();
  for (const char* s : kExecutableSuffixes)
    if (suffix == QLatin1String(s)) return true;
  const QMimeDatabase types;
  for (const QMimeType& type :
       {types.mimeTypeForFileNameAndData(AttachmentFileName(name), data), types.mimeTypeForData(data)}) {
    for (const char* executable : kExecutableTypes)
      if (type.inherits(QLatin1String(executable))) return true;
  }
  return false;
}

QString WriteAttachmentCopy(const QString& name, const QByteArray& data) {
  const QString folder = MakeFreshPrivateFolder(PrivateFolderParent(), QStringLiteral("orlane-attachment-"));
  if (folder.isEmpty()) return {};
  QString path = folder + QLatin1Char('/') + AttachmentFileName(name);
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return {};
  const bool written = WriteAll(fd, data) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written) {
    QFile::remove(path);
    return {};
  }
  return path;
}

}  // namespace orlane
