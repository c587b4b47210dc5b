#include "backup_tree.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
test::ProgramRun Ctl(const QStringList& args, const QByteArray& passphrase = "a long backup passphrase") {
  qputenv("ORLANE_BACKUP_PASSPHRASE", passphrase);
  return test::RunProgram(QStringLiteral(ORLANE_CTL_PATH), QStringList{QStringLiteral("backup")} + args);
}
}  // namespace

TEST(OrlanectlBackup, createVerifyRestore_andEveryRefusalHasItsExitCode) {
  test::TempUserFolder folder;
  test::FillTenYears(folder.user(), 2000);
  const QString archive = folder.root() + QStringLiteral("all.orlbak");
  const QString target = folder.root() + QStringLiteral("Restored");

  ASSERT_EQ(Ctl({QStringLiteral("create"), archive}).exitCode, 0);
  // The backup made counts for the title line's reminder; the archive holds the folder as it was before.
  QMap<QString, QByteArray> backedUp = test::ReadTree(folder.user());
  const QByteArray extra = backedUp.take(QStringLiteral("OrlaneExtra.ini"));
  EXPECT_TRUE(extra.startsWith("last_backup=")) << extra.toStdString();
  EXPECT_TRUE(extra.endsWith("\nbackup_folder=" + folder.root().chopped(1).toUtf8() + '\n')) << extra.toStdString();
  const auto verified = Ctl({QStringLiteral("verify"), archive});
  EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
  EXPECT_EQ(verified.out, "The backup is sound: every entry decrypts and checks.\n");

  const auto wrong = Ctl({QStringLiteral("restore"), archive, target}, "another passphrase");
  EXPECT_EQ(wrong.exitCode, 3);
  EXPECT_TRUE(wrong.err.startsWith("Wrong passphrase")) << wrong.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(target));

  QFile file(archive);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray good = file.readAll();
  file.close();
  QByteArray altered = good;
  altered[altered.size() / 2] = static_cast<char>(altered[altered.size() / 2] ^ 1);
  test::WriteTestFile(archive, altered);
  const auto damaged = Ctl({QStringLiteral("restore"), archive, target});
  EXPECT_EQ(damaged.exitCode, 5);
  EXPECT_TRUE(damaged.err.startsWith("The backup is damaged")) << damaged.err.toStdString();
  EXPECT_EQ(Ctl({QStringLiteral("verify"), archive}).exitCode, 5);
  EXPECT_FALSE(QFileInfo::exists(target));

  test::WriteTestFile(archive, good);
  ASSERT_EQ(Ctl({QStringLiteral("restore"), archive, target}).exitCode, 0);
  EXPECT_EQ(test::ReadTree(target), backedUp);
  EXPECT_EQ(Ctl({QStringLiteral("restore"), archive, target}).exitCode, 1);
  EXPECT_EQ(Ctl({QStringLiteral("restore"), archive, folder.user()}).exitCode, 1);
  EXPECT_EQ(Ctl({QStringLiteral("verify"), folder.root() + QStringLiteral("missing")}).exitCode, 1);
  EXPECT_EQ(Ctl({QStringLiteral("create"), archive}, "").exitCode, 2);
  EXPECT_EQ(Ctl({QStringLiteral("restore"), archive}).exitCode, 2);
  EXPECT_EQ(Ctl({QStringLiteral("pack"), archive}).exitCode, 2);
  qunsetenv("ORLANE_BACKUP_PASSPHRASE");
  // Without the variable and without a terminal there is no passphrase to take.
  EXPECT_EQ(
      test::RunProgram(QStringLiteral(ORLANE_CTL_PATH), {QStringLiteral("backup"), QStringLiteral("verify"), archive})
          .exitCode,
      2);
}
