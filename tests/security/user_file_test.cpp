#include "security/user_file.h"
#include "security/cipher.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace orlane;

namespace {
QString UserFile(const test::TempUserFolder& f) {
  return f.file(QStringLiteral("user.sav"));
}
}  // namespace

TEST(UserFile, lengthsFollowThePassword) {
  test::TempUserFolder folder;
  ASSERT_EQ(CreateUserFile(UserFile(folder), ""), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("user.sav")).size(), 8);
  ASSERT_EQ(CreateUserFile(UserFile(folder), QByteArray(32, 'k')), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("user.sav")).size(), 40);
}

TEST(UserFile, passwordsOfEveryPadLengthLogInAgain) {
  test::TempUserFolder folder;
  for (int n : {0, 1, 7, 8, 15, 16, 23, 24, 31, 32}) {
    const QByteArray password = QByteArray("abcdefghijklmnopqrstuvwxyz012345").left(n);
    ASSERT_EQ(CreateUserFile(UserFile(folder), password), WriteResult::Written);
    EXPECT_EQ(CheckPassword(UserFile(folder), password), PasswordCheck::Accepted) << n;
    EXPECT_EQ(CheckPassword(UserFile(folder), password + "x"), PasswordCheck::Wrong) << n;
    const StoredPassword stored = ReadUserFile(UserFile(folder));
    EXPECT_EQ(stored.state, StoredPassword::State::Ok);
    EXPECT_EQ(stored.password, password);
  }
}

TEST(UserFile, twelveByteFile_isAParameterErrorAndNoPasswordMatches) {
  test::TempUserFolder folder;
  folder.write(QStringLiteral("user.sav"), "twelve bytes");
  EXPECT_EQ(CheckPassword(UserFile(folder), ""), PasswordCheck::Wrong);
  EXPECT_EQ(CheckPassword(UserFile(folder), "twelve bytes"), PasswordCheck::Wrong);
  const StoredPassword stored = ReadUserFile(UserFile(folder));
  EXPECT_EQ(stored.state, StoredPassword::State::Damaged);
  EXPECT_TRUE(stored.parameterError);
  EXPECT_EQ(CheckPassword(stored, "twelve bytes"), PasswordCheck::Wrong);
  EXPECT_EQ(DecideStartupLogin(stored, false), StartupLogin::AskPassword);
  // A file too large to be ours is damaged without the message.
  folder.write(QStringLiteral("user.sav"), QByteArray(4096 + 8, 'x'));
  EXPECT_FALSE(ReadUserFile(UserFile(folder)).parameterError);
}

TEST(UserFile, unreadableFile_refusesInsteadOfLettingAnyoneIn) {
  test::TempUserFolder folder;
  ASSERT_EQ(CreateUserFile(UserFile(folder), "secret"), WriteResult::Written);
  QFile::setPermissions(UserFile(folder), QFileDevice::Permissions{});
  if (QFile(UserFile(folder)).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights that read anything";
  EXPECT_EQ(CheckPassword(UserFile(folder), "secret"), PasswordCheck::Unreadable);
  const StoredPassword stored = ReadUserFile(UserFile(folder));
  EXPECT_EQ(stored.state, StoredPassword::State::Unreadable);
  EXPECT_EQ(DecideStartupLogin(stored, false), StartupLogin::Refuse);
  EXPECT_EQ(DecideStartupLogin(stored, true), StartupLogin::Refuse);
}

TEST(UserFile, unreadableFile_viaAFolderInItsPlace) {
  test::TempUserFolder folder;
  QDir().mkpath(UserFile(folder));  // a folder named user.sav cannot be read as a file
  EXPECT_EQ(ReadUserFile(UserFile(folder)).state, StoredPassword::State::Unreadable);
  EXPECT_EQ(CheckPassword(UserFile(folder), ""), PasswordCheck::Unreadable);
}

TEST(StartupLogin, theDecisionTable) {
  const StoredPassword missing{StoredPassword::State::Missing, {}};
  const StoredPassword empty{StoredPassword::State::Ok, ""};
  const StoredPassword set{StoredPassword::State::Ok, "pw"};
  EXPECT_EQ(DecideStartupLogin(missing, false), StartupLogin::AskPassword);
  EXPECT_EQ(DecideStartupLogin(missing, true), StartupLogin::TakeStoredPassword);
  EXPECT_EQ(StartupPassword(missing), " ");
  EXPECT_EQ(DecideStartupLogin(set, false), StartupLogin::AskPassword);
  EXPECT_EQ(DecideStartupLogin(set, true), StartupLogin::TakeStoredPassword);
  EXPECT_EQ(StartupPassword(set), "pw");
  EXPECT_EQ(DecideStartupLogin(empty, false), StartupLogin::NoLogin);
  EXPECT_EQ(DecideStartupLogin(empty, true), StartupLogin::TakeStoredPassword);
}

TEST(UserFile, failedCreate_keepsTheOldFile) {
  test::TempUserFolder folder;
  ASSERT_EQ(CreateUserFile(UserFile(folder), "old"), WriteResult::Written);
  EXPECT_EQ(CreateUserFile(folder.root() + QStringLiteral("no/such/user.sav"), "new"), WriteResult::Failed);
  EXPECT_EQ(CheckPassword(UserFile(folder), "old"), PasswordCheck::Accepted);
}
