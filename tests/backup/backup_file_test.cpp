#include "backup/backup_file.h"
#include "backup_tree.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace orlane;

namespace {
const QByteArray kPassphrase = "correct horse battery staple";

class BackupFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    user_ = dir_.path() + QStringLiteral("/User/");
    archive_ = dir_.path() + QStringLiteral("/backup.orlbak");
    test::FillTenYears(user_);
    ASSERT_TRUE(CreateBackup(user_, archive_, kPassphrase, {}, LightBackupKdfCost()).ok());
  }
  QByteArray archiveBytes() const {
    QFile f(archive_);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  // The parent holds only the user folder, the archive and what the test made.
  QStringList parentEntries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  }

  QTemporaryDir dir_;
  QString user_;
  QString archive_;
};

TEST_F(BackupFileTest, tenYears_restoreIntoNewFolder_isByteIdenticalFileByFile) {
  const QString target = dir_.path() + QStringLiteral("/Restored");
  ASSERT_TRUE(VerifyBackup(archive_, kPassphrase).ok());
  const BackupReport restored = RestoreBackup(archive_, target, user_, kPassphrase);
  ASSERT_TRUE(restored.ok()) << restored.detail.toStdString();
  const auto original = test::ReadTree(user_);
  EXPECT_GT(original.size(), 2000);
  EXPECT_EQ(test::ReadTree(target), original);
  EXPECT_EQ(QFileInfo(target + QStringLiteral("/07df0101.rec")).lastModified().toSecsSinceEpoch(),
            QFileInfo(user_ + QStringLiteral("07df0101.rec")).lastModified().toSecsSinceEpoch());

  // An empty folder that exists is fine as well; one with anything in it is not.
  const QString empty = dir_.path() + QStringLiteral("/Empty");
  QDir().mkpath(empty);
  EXPECT_TRUE(RestoreBackup(archive_, empty, user_, kPassphrase).ok());
  EXPECT_EQ(RestoreBackup(archive_, empty, user_, kPassphrase).result, BackupResult::TargetNotEmpty);
  EXPECT_EQ(RestoreBackup(archive_, user_, user_, kPassphrase).result, BackupResult::TargetIsUserFolder);
  EXPECT_EQ(RestoreBackup(archive_, user_ + QStringLiteral("sub"), user_, kPassphrase).result,
            BackupResult::TargetIsUserFolder);
}

TEST_F(BackupFileTest, anyChangedByte_isRefusedAndNothingIsWritten) {
  const QByteArray good = archiveBytes();
  const QString target = dir_.path() + QStringLiteral("/Restored");
  const QStringList before = parentEntries();
  // Every byte of the header and key check, then bytes spread over the rest up
  // to the final tag.
  QList<qsizetype> positions;
  for (qsizetype i = 0; i < kBackupHeaderSize + 40; ++i) positions.append(i);
  for (qsizetype i = kBackupHeaderSize + 40; i < good.size(); i += good.size() / 61) positions.append(i);
  positions.append(good.size() - 1);
  for (qsizetype n = 0; n < positions.size(); ++n) {
    const qsizetype at = positions[n];
    QByteArray bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x10);
    test::WriteTestFile(archive_, bad);
    EXPECT_NE(VerifyBackup(archive_, kPassphrase).result, BackupResult::Done) << "byte " << at;
    // Verify and restore read alike; a restore of every seventh is enough.
    if (n % 7 != 0 && at < good.size() - 1) continue;
    const BackupResult restored = RestoreBackup(archive_, target, user_, kPassphrase).result;
    EXPECT_TRUE(restored == BackupResult::Damaged || restored == BackupResult::WrongPassphrase ||
                restored == BackupResult::NotABackup)
        << "byte " << at;
    ASSERT_EQ(parentEntries(), before) << "byte " << at;
  }
}

TEST_F(BackupFileTest, cutShortOrLonger_isRefusedAndNothingIsWritten) {
  const QByteArray good = archiveBytes();
  const QString target = dir_.path() + QStringLiteral("/Restored");
  const QStringList before = parentEntries();
  const qsizetype sealed = (1 << 16) + 17;
  const qsizetype firstChunkEnd = kBackupHeaderSize + 33 + sealed;
  for (const qsizetype length : {qsizetype(0), qsizetype(8), qsizetype(50), qsizetype(kBackupHeaderSize),
                                 qsizetype(kBackupHeaderSize + 20), qsizetype(kBackupHeaderSize + 33), firstChunkEnd,
                                 firstChunkEnd + sealed, good.size() / 2, good.size() - 17, good.size() - 1}) {
    test::WriteTestFile(archive_, good.left(length));
    EXPECT_NE(VerifyBackup(archive_, kPassphrase).result, BackupResult::Done) << "length " << length;
    EXPECT_NE(RestoreBackup(archive_, target, user_, kPassphrase).result, BackupResult::Done) << "length " << length;
    ASSERT_EQ(parentEntries(), before);
  }
  test::WriteTestFile(archive_, good + "x");
  EXPECT_EQ(VerifyBackup(archive_, kPassphrase).result, BackupResult::Damaged);
}

TEST_F(BackupFileTest, wrongPassphrase_isToldApartAndNothingIsWritten) {
  const QStringList before = parentEntries();
  EXPECT_EQ(VerifyBackup(archive_, "correct horse battery stapler").result, BackupResult::WrongPassphrase);
  EXPECT_EQ(RestoreBackup(archive_, dir_.path() + QStringLiteral("/R"), user_, "").result,
            BackupResult::WrongPassphrase);
  EXPECT_EQ(parentEntries(), before);
  test::WriteTestFile(archive_, "not a backup at all, just some text of a file that is long enough to be read");
  EXPECT_EQ(VerifyBackup(archive_, kPassphrase).result, BackupResult::NotABackup);
}

TEST_F(BackupFileTest, cancelAndFailedWrite_leaveTheOldArchiveAsItWas) {
  const QByteArray old = archiveBytes();
  int calls = 0;
  const auto cancelLater = [&](qint64, qint64) { return ++calls < 5; };
  EXPECT_EQ(CreateBackup(user_, archive_, kPassphrase, cancelLater, LightBackupKdfCost()).result,
            BackupResult::Cancelled);
  EXPECT_EQ(archiveBytes(), old);
  EXPECT_EQ(parentEntries(), QStringList({QStringLiteral("User"), QStringLiteral("backup.orlbak")}));

  calls = 0;
  EXPECT_EQ(RestoreBackup(archive_, dir_.path() + QStringLiteral("/R"), user_, kPassphrase, cancelLater).result,
            BackupResult::Cancelled);
  EXPECT_EQ(parentEntries(), QStringList({QStringLiteral("User"), QStringLiteral("backup.orlbak")}));

  EXPECT_EQ(
      CreateBackup(user_, dir_.path() + QStringLiteral("/no/such/folder/b"), kPassphrase, {}, LightBackupKdfCost())
          .result,
      BackupResult::WriteFailed);
}

TEST_F(BackupFileTest, backupInsideTheUserFolder_leavesItselfOut) {
  const QString inside = user_ + QStringLiteral("self.orlbak");
  ASSERT_TRUE(CreateBackup(user_, inside, kPassphrase, {}, LightBackupKdfCost()).ok());
  ASSERT_TRUE(CreateBackup(user_, inside, kPassphrase, {}, LightBackupKdfCost()).ok());
  const QString target = dir_.path() + QStringLiteral("/R");
  ASSERT_TRUE(RestoreBackup(inside, target, user_, kPassphrase).ok());
  auto expected = test::ReadTree(user_);
  expected.remove(QStringLiteral("self.orlbak"));
  EXPECT_EQ(test::ReadTree(target), expected);
}

}  // namespace
