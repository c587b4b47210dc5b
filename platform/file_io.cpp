#include "platform/file_io.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orlane {

namespace {
AtomicWriteFaultHook& FaultHook() {
  static AtomicWriteFaultHook hook;
  return hook;
}

bool Injected(AtomicWriteStep step) { return FaultHook() && FaultHook()(step); }

bool WriteAll(int fd, const char* data, qsizetype size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

void SyncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
}  // namespace

void SetAtomicWriteFaultHookForTesting(AtomicWriteFaultHook hook) { FaultHook() = std::move(hook); }

bool FileExists(const QString& path) { return QFileInfo(path).isFile(); }

FileReadResult ReadFileBytes(const QString& path, QByteArray& out, qint64 maxBytes) {
  out.clear();
  QFile file(path);
  if (!file.exists()) return FileReadResult::Missing;
  if (!file.open(QIODevice::ReadOnly)) return FileReadResult::Unreadable;
  if (file.size() > maxBytes) return FileReadResult::TooLarge;
  out = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    out.clear();
    return FileReadResult::Unreadable;
  }
  return FileReadResult::Ok;
}

int AtomicWriteFile(const QString& path, QByteArrayView bytes) {
  const QFileInfo target(path);
  const QByteArray finalPath = QFile::encodeName(target.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(target.absolutePath());
  QByteArray tempPath = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                                          QStringLiteral(".XXXXXX"));

  // A new file is private; a replaced one keeps the permissions it had.
  mode_t mode = 0600;
  struct stat old {};
  if (::stat(finalPath.constData(), &old) == 0) mode = old.st_mode & 07777;

  if (Injected(AtomicWriteStep::Create)) return 0;
  const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) return 0;
  auto abandon = [&] {
    ::close(fd);
    ::unlink(tempPath.constData());
    return 0;
  };
  if (Injected(AtomicWriteStep::Write) || !WriteAll(fd, bytes.data(), bytes.size())) return abandon();
  if (Injected(AtomicWriteStep::Sync) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return abandon();
  if (::close(fd) != 0) {
    ::unlink(tempPath.constData());
    return 0;
  }
  if (Injected(AtomicWriteStep::Rename) || ::rename(tempPath.constData(), finalPath.constData()) != 0) {
    ::unlink(tempPath.constData());
    return 0;
  }
  SyncFolder(folder);
  return 1;
}

int RemoveFileForced(const QString& path) {
  QFile file(path);
  if (!file.exists()) return 1;
  file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
  return file.remove() ? 1 : 0;
}

}  // namespace orlane
