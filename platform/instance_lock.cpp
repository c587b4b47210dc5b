#include "platform/instance_lock.h"

#include "platform/program_info.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

bool InstanceLock::takeFileLock() {
  const QByteArray path = QFile::encodeName(socketPath_ + QStringLiteral(".lock"));
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  lockFd_ = fd;
  return true;
}

QString InstanceLock::DefaultSocketPath() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QDir(folder).exists()) {
    folder = QDir::tempPath() + QStringLiteral("/orlane-") + QString::number(::getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  return folder + QLatin1Char('/') + QLatin1String(kProgramTitle);
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
  if (takeFileLock()) {
    // We own the lock: whatever socket is there was left by a dead copy.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    // No socket options: with them Qt binds elsewhere and renames over the path.
    // The folder is private instead.
    if (!server_->listen(socketPath_)) server_.reset();  // still the only copy, just unreachable
    else connect(server_.get(), &QLocalServer::newConnection, this, &InstanceLock::answer);
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
