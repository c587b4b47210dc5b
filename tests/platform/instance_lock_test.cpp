#include "platform/instance_lock.h"
#include "platform/private_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <atomic>
#include <utility>

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

TEST(InstanceLock, plantedLockFile_isAnErrorWithAMessageNotAnotherCopy) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Orlane 2");
  // A link where the lock file goes: never followed.
  ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/elsewhere"), path + QStringLiteral(".lock")));
  InstanceLock lock(path);
  EXPECT_EQ(lock.acquire(200), InstanceLock::Result::Error);
  EXPECT_TRUE(lock.errorString().contains(QStringLiteral("cannot be opened"))) << lock.errorString().toStdString();
  EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/elsewhere")));
  EXPECT_EQ(InstanceLock(QString()).acquire(200), InstanceLock::Result::Error);
}

TEST(InstanceLock, fallbackFolderOfAnotherUser_isReplacedByAFreshPrivateOne) {
  QTemporaryDir tmp;
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTmp = qgetenv("TMPDIR");
  qunsetenv("XDG_RUNTIME_DIR");
  qputenv("TMPDIR", tmp.path().toUtf8());
  const QString ours = tmp.path() + QStringLiteral("/orlane-") + QString::number(::getuid());

  // Missing: made private and used.
  QString note;
  EXPECT_EQ(InstanceLock::DefaultSocketPath(&note), ours + QStringLiteral("/Orlane 2"));
  EXPECT_TRUE(note.isEmpty());
  EXPECT_TRUE(orlane::IsPrivateFolder(ours));

  auto expectFresh = [&](const char* why) {
    QString told;
    const QString path = InstanceLock::DefaultSocketPath(&told);
    EXPECT_FALSE(path.startsWith(ours + QLatin1Char('/'))) << why;
    EXPECT_TRUE(orlane::IsPrivateFolder(QFileInfo(path).absolutePath())) << why;
    EXPECT_TRUE(told.contains(ours)) << why;
  };
  // Open to others, as another user would leave it.
  ASSERT_EQ(::chmod(QFile::encodeName(ours).constData(), 0777), 0);
  expectFresh("mode 0777");
  // Owned by someone else.
  ASSERT_EQ(::chmod(QFile::encodeName(ours).constData(), 0700), 0);
  if (::getuid() == 0) {
    ASSERT_EQ(::chown(QFile::encodeName(ours).constData(), 65534, 65534), 0);
    expectFresh("another owner");
  }
  // A link to a private folder is still a link.
  ASSERT_TRUE(QDir(ours).removeRecursively());
  QDir().mkpath(tmp.path() + QStringLiteral("/target"));
  ::chmod(QFile::encodeName(tmp.path() + QStringLiteral("/target")).constData(), 0700);
  ASSERT_TRUE(QFile::link(tmp.path() + QStringLiteral("/target"), ours));
  expectFresh("symbolic link");

  for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", savedRuntime}, std::pair{"TMPDIR", savedTmp}}) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  }
}
