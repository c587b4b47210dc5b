#include "platform/file_io.h"
#include "platform/services.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace orlane;

namespace {
QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class AtomicWriteTest : public ::testing::Test {
 protected:
  void TearDown() override { SetService(&Services::failWriteStep, {}); }
  QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QLatin1String(name); }
  int filesInFolder() const { return static_cast<int>(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size()); }
  QTemporaryDir dir;
};
}  // namespace

TEST_F(AtomicWriteTest, writesNewFileAndReplacesOldOne) {
  ASSERT_EQ(AtomicWriteFile(path("a.cfg"), "first"), WriteResult::Written);
  EXPECT_EQ(ReadAll(path("a.cfg")), "first");
  ASSERT_EQ(AtomicWriteFile(path("a.cfg"), "second, longer"), WriteResult::Written);
  EXPECT_EQ(ReadAll(path("a.cfg")), "second, longer");
  EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(AtomicWriteTest, failureAtAnyStep_leavesOldFileAndNoTemporary) {
  for (AtomicWriteStep failing :
       {AtomicWriteStep::Create, AtomicWriteStep::Write, AtomicWriteStep::Sync, AtomicWriteStep::Rename}) {
    ASSERT_EQ(AtomicWriteFile(path("day.alm"), "old content"), WriteResult::Written);
    SetService(&Services::failWriteStep, [failing](AtomicWriteStep s) { return s == failing; });
    EXPECT_EQ(AtomicWriteFile(path("day.alm"), "new"), WriteResult::Failed) << static_cast<int>(failing);
    SetService(&Services::failWriteStep, {});
    EXPECT_EQ(ReadAll(path("day.alm")), "old content");
    EXPECT_EQ(filesInFolder(), 1);
  }
}

TEST_F(AtomicWriteTest, missingFolder_failsWithoutCreatingAnything) {
  EXPECT_EQ(AtomicWriteFile(dir.path() + QStringLiteral("/no/such/file"), "x"), WriteResult::Failed);
  EXPECT_EQ(filesInFolder(), 0);
}

TEST_F(AtomicWriteTest, keepsPermissionsOfReplacedFileAndMakesNewOnesPrivate) {
  ASSERT_EQ(AtomicWriteFile(path("new"), "x"), WriteResult::Written);
  EXPECT_EQ(QFile::permissions(path("new")) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
  QFile::setPermissions(path("new"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
  ASSERT_EQ(AtomicWriteFile(path("new"), "y"), WriteResult::Written);
  EXPECT_TRUE(QFile::permissions(path("new")) & QFileDevice::ReadGroup);
}

TEST_F(AtomicWriteTest, readFileBytes_reportsMissingAndTooLarge) {
  QByteArray out;
  EXPECT_EQ(ReadFileBytes(path("none"), out), FileReadResult::Missing);
  ASSERT_EQ(AtomicWriteFile(path("big"), QByteArray(100, 'b')), WriteResult::Written);
  EXPECT_EQ(ReadFileBytes(path("big"), out, 99), FileReadResult::TooLarge);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_EQ(ReadFileBytes(path("big"), out, 100), FileReadResult::Ok);
  EXPECT_EQ(out.size(), 100);
}

TEST_F(AtomicWriteTest, filePathsIn_listsWhatQDirFilesLists) {
  ASSERT_EQ(AtomicWriteFile(path("a.alm"), "x"), WriteResult::Written);
  ASSERT_EQ(AtomicWriteFile(path(".hidden.alm"), "x"), WriteResult::Written);
  const QString summer = dir.path() + QStringLiteral("/été.alm");
  ASSERT_EQ(AtomicWriteFile(summer, "x"), WriteResult::Written);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.alm")));
  ASSERT_TRUE(QFile::link(path("a.alm"), path("to_file.alm")));
  ASSERT_TRUE(QFile::link(path("folder.alm"), path("to_folder.alm")));
  ASSERT_TRUE(QFile::link(path("gone"), path("broken.alm")));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.alm")).constData(), 0600), 0);
  ASSERT_EQ(AtomicWriteFile(path("B.alm"), "x"), WriteResult::Written);
  // In name order as strings compare, with a name beyond ASCII and without.
  const QStringList all{path("B.alm"), path("a.alm"), path("to_file.alm"), summer};
  EXPECT_EQ(FilePathsIn(dir.path()), all);
  QStringList listed;
  for (const QFileInfo& file : QDir(dir.path()).entryInfoList(QDir::Files)) listed << file.filePath();
  listed.sort();
  EXPECT_EQ(listed, all);
  ASSERT_TRUE(QFile::remove(summer));
  EXPECT_EQ(FilePathsIn(dir.path()), all.first(3));
  EXPECT_TRUE(FilePathsIn(path("none")).isEmpty());
}

TEST_F(AtomicWriteTest, removeFileForced_removesReadOnlyFile) {
  ASSERT_EQ(AtomicWriteFile(path("ro"), "x"), WriteResult::Written);
  QFile::setPermissions(path("ro"), QFileDevice::ReadOwner);
  EXPECT_EQ(RemoveFileForced(path("ro")), WriteResult::Written);
  EXPECT_FALSE(QFile::exists(path("ro")));
  EXPECT_EQ(RemoveFileForced(path("ro")), WriteResult::Written);
}
