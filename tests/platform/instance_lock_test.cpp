#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using orlane::InstanceLock;

namespace {
// A second copy lives in another thread here, so the first one's event loop can
// answer it as the real program's would.
InstanceLock::Result AcquireFromOtherThread(const QString& path) {
  std::atomic<int> result{-1};
  QThread* thread = QThread::create([&] {
    InstanceLock second(path);
    result = static_cast<int>(second.acquire(2000));
  });
  thread->start();
  while (!thread->wait(5)) QCoreApplication::processEvents();
  delete thread;
  return static_cast<InstanceLock::Result>(result.load());
}
}  // namespace

TEST(InstanceLock, secondCopy_asksFirstToRaiseItsWindow) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Orlane 2");
  InstanceLock first(path);
  ASSERT_EQ(first.acquire(), InstanceLock::Result::Acquired);
  int raised = 0;
  first.setRaiseHandler([&] {
    ++raised;
    return true;
  });
  EXPECT_EQ(AcquireFromOtherThread(path), InstanceLock::Result::OtherRaised);
  EXPECT_EQ(raised, 1);
}

TEST(InstanceLock, firstCopyWithoutWindow_answersSo) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Orlane 2");
  InstanceLock first(path);
  ASSERT_EQ(first.acquire(), InstanceLock::Result::Acquired);
  first.setRaiseHandler([] { return false; });
  EXPECT_EQ(AcquireFromOtherThread(path), InstanceLock::Result::OtherWithoutWindow);
}

TEST(InstanceLock, staleSocketOfKilledCopy_doesNotBlock) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Orlane 2");
  // What a killed copy leaves: a bound socket file nobody listens on.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const QByteArray p = path.toLocal8Bit();
  std::memcpy(addr.sun_path, p.constData(), static_cast<size_t>(p.size()));
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  ASSERT_TRUE(QFile::exists(path));

  InstanceLock next(path);
  EXPECT_EQ(next.acquire(), InstanceLock::Result::Acquired);
}

TEST(InstanceLock, releasedLock_canBeTakenAgain) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Orlane 2");
  {
    InstanceLock first(path);
    ASSERT_EQ(first.acquire(), InstanceLock::Result::Acquired);
  }
  InstanceLock again(path);
  EXPECT_EQ(again.acquire(), InstanceLock::Result::Acquired);
}
