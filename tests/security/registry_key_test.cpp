#include "security/registry_key.h"
#include "security/error_log.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace orlane;

namespace {
QByteArray LogText() {
  QFile f(ErrorLogPath());
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(RegistryKey, valuesPersistAcrossKeysAndRuns) {
  test::TempUserFolder folder;
  {
    CRegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, QStringLiteral("SOFTWARE\\Test")), 1);
    EXPECT_EQ(key.SetString(QStringLiteral("Name"), "hello world", 5), 1);
    EXPECT_EQ(key.SetBinary(QStringLiteral("Blob"), QByteArray("\x00\x01\xFF", 3), 3), 1);
  }
  CRegistryKey key;
  ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, QStringLiteral("SOFTWARE\\Test")), 1);
  QByteArray value;
  ASSERT_EQ(key.GetValue(QStringLiteral("Name"), value), 1);
  EXPECT_EQ(value, "hello");
  ASSERT_EQ(key.GetValue(QStringLiteral("Blob"), value), 1);
  EXPECT_EQ(value, QByteArray("\x00\x01\xFF", 3));
  EXPECT_EQ(key.DeleteValue(QStringLiteral("Name")), 1);
  EXPECT_EQ(key.DeleteValue(QStringLiteral("Name")), 0);
  EXPECT_EQ(key.GetValue(QStringLiteral("Name"), value), 0);
  EXPECT_TRUE(LogText().contains("GetValueEx Failed. Name:Name,Value:,Err:2\r\n"));
}

TEST(RegistryKey, corruptStore_failsOpenWithLogAndIsNotOverwritten) {
  test::TempUserFolder folder;
  QDir().mkpath(folder.root() + QStringLiteral("config/orlane"));
  QFile store(RegistryStorePath());
  ASSERT_TRUE(store.open(QIODevice::WriteOnly));
  store.write("{ not json");
  store.close();

  CRegistryKey key;
  EXPECT_EQ(key.Open(RegistryRoot::LocalMachine, QLatin1String(kRunKeyPath)), 0);
  EXPECT_FALSE(key.isOpen());
  EXPECT_EQ(key.SetString(QStringLiteral("x"), "y", 1), 0);
  EXPECT_TRUE(LogText().contains("Can not open registrySOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run.\r\n"));
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_EQ(store.readAll(), "{ not json");
}

TEST(RegistryKey, setBinaryWithoutKey_logsItsFailure) {
  test::TempUserFolder folder;
  CRegistryKey key;
  EXPECT_EQ(key.SetBinary(QStringLiteral("B"), "ab", 2), 0);
  EXPECT_TRUE(LogText().contains("SetValueEx Failed. Name:B,Value:ab,Err:"));
}

TEST(RegistryKey, runValue_mirrorsTheAutostartEntryQuotedByItsRules) {
  test::TempUserFolder folder;
  CRegistryKey key;
  ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, QLatin1String(kRunKeyPath)), 1);
  const QByteArray command = "/opt/my apps/orlane";
  ASSERT_EQ(key.SetString(QStringLiteral("Orlane 2"), command, static_cast<int>(command.size())), 1);
  const QString entry = AutostartEntryPath(QStringLiteral("Orlane 2"));
  EXPECT_EQ(entry, folder.root() + QStringLiteral("config/autostart/orlane-2.desktop"));
  QFile f(entry);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  f.close();
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(text.contains("\nExec=\"/opt/my apps/orlane\"\n"));
  EXPECT_TRUE(text.contains("\nName=Orlane 2\n"));

  EXPECT_EQ(key.DeleteValue(QStringLiteral("Orlane 2")), 1);
  EXPECT_FALSE(QFile::exists(entry));

  // Quoting by the desktop-entry rules: one argument, '%' no field code, the
  // string escaping on top; the validator, when installed, agrees.
  const QByteArray hostile = "/opt/my apps/50%/a\"b$c\\d`e";
  ASSERT_EQ(key.SetString(QStringLiteral("Orlane 2"), hostile, static_cast<int>(hostile.size())), 1);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("\nExec=\"/opt/my apps/50%%/a\\\\\"b\\\\$c\\\\\\\\d\\\\`e\"\n"));
  f.close();
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (!validator.isEmpty()) {
    QProcess run;
    run.start(validator, {entry});
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardOutput().constData();
  }
  // A path with a line break would add lines of its own: refused, nothing stored.
  const QByteArray injected = "/tmp/x\nExec=/tmp/evil";
  EXPECT_EQ(key.SetString(QStringLiteral("Orlane 3"), injected, static_cast<int>(injected.size())), 0);
  EXPECT_FALSE(QFile::exists(AutostartEntryPath(QStringLiteral("Orlane 3"))));
  QByteArray stored;
  EXPECT_EQ(key.GetValue(QStringLiteral("Orlane 3"), stored), 0);
  EXPECT_TRUE(LogText().contains("the program path holds a line break"));
}

TEST(RegistryKey, otherKeys_writeNoAutostartEntry) {
  test::TempUserFolder folder;
  CRegistryKey key;
  ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Brenvik\\Orlane 2")), 1);
  ASSERT_EQ(key.SetString(QStringLiteral("Orlane 2"), "x", 1), 1);
  EXPECT_FALSE(QFile::exists(AutostartEntryPath(QStringLiteral("Orlane 2"))));
}
