#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <csignal>

using namespace orlane;

namespace {
// Starts the desktop program and waits until it answers on its instance socket.
class RunningProgram {
 public:
  explicit RunningProgram(const test::TempUserFolder& folder)
      : socket_(folder.root() + QStringLiteral("run/Orlane 2")) {
    process_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process_.start(QStringLiteral(ORLANE_APP_PATH), {});
  }
  ~RunningProgram() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  bool waitUntilListening() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
      // Only a live owner accepts a connection; a killed one's socket refuses.
      QLocalSocket probe;
      probe.connectToServer(socket_);
      if (probe.waitForConnected(200)) {
        probe.disconnectFromServer();
        return SecondCopyIsTurnedAway();
      }
      QThread::msleep(50);
    }
    return false;
  }
  void killHard() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
    process_.waitForFinished();
  }
  // Still holding the lock: a further copy is turned away.
  static bool running() { return SecondCopyIsTurnedAway(); }

  static test::ProgramRun StartSecondCopy() { return test::RunProgram(QStringLiteral(ORLANE_APP_PATH), {}, {}, 20000); }

 private:
  static bool SecondCopyIsTurnedAway() {
    const test::ProgramRun second = StartSecondCopy();
    return second.exitCode == 0 && second.err.contains(" is running now.");
  }
  QString socket_;
  QProcess process_;
};
}  // namespace

TEST(Startup, firstStartCreatesTheUserFolderAndHoldsTheLock) {
  test::TempUserFolder folder;
  const QString user = folder.root() + QStringLiteral("fresh/User/");
  qputenv("ORLANE_USER_DIR", user.toUtf8());
  RunningProgram first(folder);
  ASSERT_TRUE(first.waitUntilListening());
  EXPECT_TRUE(QFileInfo(user).isDir());

  QElapsedTimer timer;
  timer.start();
  const test::ProgramRun second = RunningProgram::StartSecondCopy();
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_TRUE(second.err.endsWith("Orlane 2 is running now.\n"));
  EXPECT_LT(timer.elapsed(), 10000);
  EXPECT_TRUE(RunningProgram::running());
}

TEST(Startup, afterTheFirstCopyIsKilled_aNewStartWorks) {
  test::TempUserFolder folder;
  {
    RunningProgram first(folder);
    ASSERT_TRUE(first.waitUntilListening());
    first.killHard();
  }
  ASSERT_TRUE(QFileInfo::exists(folder.root() + QStringLiteral("run/Orlane 2")));  // left behind
  RunningProgram next(folder);
  EXPECT_TRUE(next.waitUntilListening());
}
