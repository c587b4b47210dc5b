#include "platform/private_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace orlane {

AppendResult AppendToPrivateFile(const QString& path, QByteArrayView bytes) {
  AppendResult result;
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return result;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || ((st.st_mode & 077) != 0 && ::fchmod(fd, st.st_mode & 0700) != 0)) {
    ::close(fd);
    return result;
  }
  result.lengthBefore = static_cast<qint64>(st.st_size);
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data += n;
    left -= n;
  }
  result.written = left == 0;
  if (::close(fd) != 0) result.written = false;
  return result;
}

}  // namespace orlane
