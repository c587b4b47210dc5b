#include "platform/instance_lock.h"

#include "platform/private_folder.h"
#include "platform/program_info.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace orlane {

namespace {
constexpr char kRaiseRequest[] = "raise\n";
constexpr int kConnectTimeoutMs = 500;
}  // namespace

InstanceLock::InstanceLock(QString socketPath, QObject* parent) : QObject(parent), socketPath_(std::move(socketPath)) {}

InstanceLock::~InstanceLock() {
  if (server_) server_->close();
  if (lockFd_ >= 0) ::close(lockFd_);
}

int InstanceLock::takeFileLock() {
  const QString lockPath = socketPath_ + QStringLiteral(".lock");
  // Never through a link another user left in its place.
  const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    error_ = QStringLiteral("The instance lock %1 cannot be opened: %2")
                 .arg(lockPath, QString::fromLocal8Bit(std::strerror(errno)));
    return -1;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return 0;
    error_ = QStringLiteral("The instance lock %1 cannot be taken: %2")
                 .arg(lockPath, QString::fromLocal8Bit(std::strerror(error)));
    return -1;
  }
  lockFd_ = fd;
  return 1;
}

QString InstanceLock::DefaultSocketPath(QString* note) {
  const QString name = QLatin1Char('/') + QLatin1String(kProgramTitle);
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + name;
  const QString prefix = QStringLiteral("orlane-") + QString::number(::getuid());
  const QString folder = QDir::tempPath() + QLatin1Char('/') + prefix;
  ::mkdir(QFile::encodeName(folder).constData(), 0700);
  if (IsPrivateFolder(folder)) return folder + name;
  const QString fresh = MakeFreshPrivateFolder(QDir::tempPath(), prefix + QLatin1Char('-'));
  if (note) {
    *note = QStringLiteral(
                "The lock folder %1 is not a private folder of this user (another user's, a link, or open "
                "to others); using %2 instead.")
                .arg(folder, fresh.isEmpty() ? QStringLiteral("none, none could be made") : fresh);
  }
  return fresh.isEmpty() ? QString() : fresh + name;
}

InstanceLock::Result InstanceLock::askRunningCopy(int replyTimeoutMs, bool& reached) {
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  reached = socket.waitForConnected(kConnectTimeoutMs);
  if (!reached) return Result::OtherWithoutWindow;
  socket.write(kRaiseRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  QByteArray reply;
  while (!reply.contains('\n') && socket.waitForReadyRead(replyTimeoutMs)) reply += socket.readAll();
  reply += socket.readAll();
  socket.disconnectFromServer();
  return reply.startsWith('1') ? Result::OtherRaised : Result::OtherWithoutWindow;
}

InstanceLock::Result InstanceLock::acquire(int replyTimeoutMs) {
  if (socketPath_.isEmpty()) {
    error_ = QStringLiteral("There is no private folder for the instance lock.");
    return Result::Error;
  }
  const int taken = takeFileLock();
  if (taken < 0) return Result::Error;
  if (taken > 0) {
    // We own the lock: whatever socket is there was left by a dead copy.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    // No socket options: with them Qt binds elsewhere and renames over the path.
    // The folder is private instead.
    if (!server_->listen(socketPath_))
      server_.reset();  // still the only copy, just unreachable
    else
      connect(server_.get(), &QLocalServer::newConnection, this, &InstanceLock::answer);
    return Result::Acquired;
  }
  // Another copy holds the lock; it may still be on its way to listening.
  QElapsedTimer waited;
  waited.start();
  do {
    bool reached = false;
    const Result other = askRunningCopy(replyTimeoutMs, reached);
    if (reached) return other;
    QThread::msleep(50);
  } while (waited.elapsed() < replyTimeoutMs);
  return Result::OtherWithoutWindow;
}

void InstanceLock::answer() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray request = socket->readLine();
      const bool raised = request == kRaiseRequest && raiseHandler_ && raiseHandler_();
      socket->write(raised ? "1\n" : "0\n");
      socket->flush();
      socket->disconnectFromServer();
    });
  }
}

}  // namespace orlane
