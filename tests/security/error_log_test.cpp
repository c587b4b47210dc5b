#include "security/error_log.h"
#include "security/registry_key.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using namespace orlane;

namespace {
QByteArray ReadLog() {
  QFile f(ErrorLogPath());
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(ErrorLog, linesCarryDateTimeAndCrLf) {
  test::TempUserFolder folder;
  LogError("Can not open registry%s.", "SOFTWARE\\X");
  LogError("%d and %s", 42, "more");
  const QByteArray log = ReadLog();
  const QList<QByteArray> lines = log.split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].endsWith("] Can not open registrySOFTWARE\\X.\r"));
  EXPECT_TRUE(lines[0].startsWith("["));
  EXPECT_TRUE(lines[1].endsWith("] 42 and more\r"));
  EXPECT_TRUE(lines[2].isEmpty());
}

TEST(ErrorLog, logOver40960Bytes_isEmptiedBeforeTheNextLine) {
  test::TempUserFolder folder;
  LogError("first");
  {
    QFile f(ErrorLogPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(50 * 1024, 'x'));
  }
  LogError("after reset");
  const QByteArray log = ReadLog();
  EXPECT_EQ(log.count('\n'), 1);
  EXPECT_TRUE(log.endsWith("] after reset\r\n"));
}

TEST(ErrorLog, logOfExactly40960Bytes_isKept) {
  test::TempUserFolder folder;
  LogError("seed");
  {
    QFile f(ErrorLogPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(kErrorLogResetSize, 'x'));
  }
  LogError("kept");
  EXPECT_GT(ReadLog().size(), kErrorLogResetSize);
}

TEST(ErrorLog, longMessages_areCutAt999Characters) {
  test::TempUserFolder folder;
  LogError("%s", QByteArray(5000, 'm').constData());
  const QByteArray log = ReadLog();
  const qsizetype start = log.indexOf("] ") + 2;
  EXPECT_EQ(log.size() - start - 2, kErrorLogMessageLimit);
}

TEST(ErrorLog, goesToTheInstallPathWhenOneIsStored) {
  test::TempUserFolder folder;
  EXPECT_TRUE(ErrorLogPath().startsWith(folder.root() + QStringLiteral("data/orlane/")));
  CRegistryKey key;
  ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Brenvik\\Orlane 2")), 1);
  const QByteArray install = (folder.root() + QStringLiteral("install/")).toUtf8();
  ASSERT_EQ(key.SetString(QStringLiteral("InstallPath"), install, static_cast<int>(install.size())), 1);
  EXPECT_EQ(ErrorLogPath(), folder.root() + QStringLiteral("install/ErrorMsg.txt"));
  LogError("into install path");
  EXPECT_TRUE(QFile::exists(folder.root() + QStringLiteral("install/ErrorMsg.txt")));
}
