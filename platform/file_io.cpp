#include "platform/file_io.h"

#include "platform/services.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlane {

namespace {
thread_local int lastError = 0;

// Records errno (or the given error) as the reason of a failed step.
void NoteError(int error = errno) {
  lastError = error != 0 ? error : EIO;
}

WriteResult Fail(int error = errno) {
  NoteError(error);
  return WriteResult::Failed;
}

bool Injected(AtomicWriteStep step) {
  const auto fail = Service(&Services::failWriteStep);
  if (!fail || !fail(step)) return false;
  errno = EIO;
  return true;
}

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

void SyncFolderEntries(const QString& folder) {
  SyncFolder(QFile::encodeName(folder));
}

bool SyncFileSystemOf(const QString& folder) {
  const QByteArray name = QFile::encodeName(folder);
  const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::syncfs(fd) == 0;
  ::close(fd);
  return synced;
}

bool FileExists(const QString& path) {
  return QFileInfo(path).isFile();
}

QStringList FilePathsIn(const QString& folder) {
  // The names one after another in one buffer, sorted as views into it.
  std::string buffer;
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  bool ascii = true;
  {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(folder).constData()), &::closedir);
    if (!dir) return {};
    while (const dirent* entry = ::readdir(dir.get())) {
      // Hidden names start with a dot, as "." and ".." do.
      if (entry->d_name[0] == '.') continue;
      bool file = entry->d_type == DT_REG;
      if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
        struct stat target {};
        file = ::fstatat(::dirfd(dir.get()), entry->d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
      }
      if (!file) continue;
      const std::string_view name(entry->d_name);
      ascii =
          ascii && std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
      spans.emplace_back(buffer.size(), name.size());
      buffer += name;
    }
  }
  std::vector<std::string_view> names;
  names.reserve(spans.size());
  for (const auto& [at, size] : spans) names.emplace_back(buffer.data() + at, size);
  // Bytes sort ASCII names as strings compare them, and faster.
  std::sort(names.begin(), names.end());
  // As QFile::decodeName decodes, into each path without a string between;
  // an ASCII byte gives itself, and no byte more than one UTF-16 unit.
  QStringDecoder decoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
  const QString prefix = folder + QLatin1Char('/');
  QStringList paths;
  paths.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string_view name : names) {
    QString path(prefix.size() + static_cast<qsizetype>(name.size()), Qt::Uninitialized);
    QChar* const start = std::copy(prefix.begin(), prefix.end(), path.begin());
    const QChar* const end =
        ascii ? std::transform(name.begin(), name.end(), start, [](char c) { return QLatin1Char(c); })
              : decoder.appendToBuffer(start, QByteArrayView(name.data(), name.size()));
    path.truncate(end - path.constData());
    paths << std::move(path);
  }
  if (!ascii)
    std::sort(paths.begin(), paths.end(), [n = prefix.size()](const QString& a, const QString& b) {
      return QStringView(a).sliced(n) < QStringView(b).sliced(n);
    });
  return paths;
}

namespace {
// More than the coarsest step of file times the kernel keeps (a jiffy at 100 Hz).
constexpr qint64 kFileTimeStepNs = 20'000'000;
}  // namespace

bool FileSignature::unchangedIn(const FileSignature& now) const {
  if (!exists || !now.exists) return exists == now.exists;
  return device == now.device && inode == now.inode && size == now.size && changedNs == now.changedNs &&
         changedNs + kFileTimeStepNs < takenNs;
}

FileSignature FileSignatureOf(const QString& path) {
  struct timespec taken {};
  ::clock_gettime(CLOCK_REALTIME, &taken);
  const qint64 takenNs = static_cast<qint64>(taken.tv_sec) * 1000000000 + taken.tv_nsec;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
    return {false, 0, 0, 0, 0, takenNs};
  return {true,
          static_cast<quint64>(st.st_dev),
          static_cast<quint64>(st.st_ino),
          static_cast<qint64>(st.st_size),
          static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec,
          takenNs};
}

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

AtomicFileStream::~AtomicFileStream() {
  if (fd_ >= 0) (void)abandon();
}

WriteResult AtomicFileStream::open(const QString& path) {
  if (fd_ >= 0) (void)abandon();
  const QFileInfo target(path);
  finalPath_ = QFile::encodeName(target.absoluteFilePath());
  folder_ = QFile::encodeName(target.absolutePath());
  tempPath_ =
      QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));

  // A new file is private; a replaced one keeps the permissions it had.
  mode_ = 0600;
  struct stat old {};
  if (::stat(finalPath_.constData(), &old) == 0) mode_ = old.st_mode & 07777;

  if (Injected(AtomicWriteStep::Create)) return Fail();
  fd_ = ::mkostemp(tempPath_.data(), O_CLOEXEC);
  if (fd_ < 0) return Fail();
  return WriteResult::Written;
}

WriteResult AtomicFileStream::abandon() {
  const int error = errno;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  ::unlink(tempPath_.constData());
  return Fail(error);
}

WriteResult AtomicFileStream::write(QByteArrayView bytes) {
  if (fd_ < 0) return Fail(EBADF);
  if (Injected(AtomicWriteStep::Write) || !WriteAll(fd_, bytes.data(), bytes.size())) return abandon();
  return WriteResult::Written;
}

WriteResult AtomicFileStream::commit() {
  if (fd_ < 0) return Fail(EBADF);
  if (Injected(AtomicWriteStep::Sync) || ::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) return abandon();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(tempPath_.constData());
    return Fail(error);
  }
  if (Injected(AtomicWriteStep::Rename) || ::rename(tempPath_.constData(), finalPath_.constData()) != 0) {
    const int error = errno;
    ::unlink(tempPath_.constData());
    return Fail(error);
  }
  SyncFolder(folder_);
  return WriteResult::Written;
}

WriteResult AtomicWriteFile(const QString& path, QByteArrayView bytes) {
  AtomicFileStream stream;
  if (stream.open(path) != WriteResult::Written || stream.write(bytes) != WriteResult::Written)
    return WriteResult::Failed;
  return stream.commit();
}

WriteResult RemoveFileForced(const QString& path) {
  QFile file(path);
  if (!file.exists()) return WriteResult::Written;
  file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
  const QByteArray name = QFile::encodeName(path);
  if (::unlink(name.constData()) == 0 || errno == ENOENT) return WriteResult::Written;
  return Fail();
}

QString LastFileError() {
  return QString::fromLocal8Bit(std::strerror(lastError));
}

QString KeepFileCopy(const QString& path, const QString& suffix, bool numbered) {
  QByteArray bytes;
  if (ReadFileBytes(path, bytes) != FileReadResult::Ok) {
    NoteError();
    return {};
  }
  return KeepBytesBeside(path, suffix, bytes, numbered);
}

QString KeepBytesBeside(const QString& path, const QString& suffix, QByteArrayView bytes, bool numbered) {
  for (int n = 1; n < 1000; ++n) {
    QString keep = path + suffix + (n == 1 && !numbered ? QString() : QStringLiteral("-%1").arg(n));
    const QByteArray name = QFile::encodeName(keep);
    // O_EXCL: a copy kept earlier is never replaced.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      NoteError();
      return {};
    }
    const bool written = WriteAll(fd, bytes.constData(), bytes.size()) && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !written) {
      ::unlink(name.constData());
      NoteError(error);
      return {};
    }
    return keep;
  }
  NoteError(EEXIST);
  return {};
}

}  // namespace orlane
