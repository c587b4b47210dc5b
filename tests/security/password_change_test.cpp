#include "security/password_change.h"
#include "platform/file_io.h"
#include "platform/services.h"
#include "security/scramble.h"
#include "security/user_file.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
struct PasswordChangeTest : ::testing::Test {
  test::TempUserFolder folder;

  void SetUp() override {
    ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), "old"), WriteResult::Written);
    page("07d60101.dia", "old", "{\\rtf1 one}");
    page("07d60102.dia", "old", "{\\rtf1 two}");
    page("07d60103.dia", "old", "{\\rtf1 three}");
    page("07d60101.rec", "old", "RIFF sound bytes");
    page("07d60104.dia", "third", "{\\rtf1 someone else}");
    page("07d60105.DIA", "old", "{\\rtf1 upper case}");
  }
  void page(const char* name, const QByteArray& password, const QByteArray& content) {
    folder.write(QLatin1String(name), WrapWithPasswordHeader(content, password));
  }
  PasswordHeaderCheck headerOf(const char* name, const QByteArray& password) {
    return CheckPasswordHeader(folder.read(QLatin1String(name)), password);
  }
};
}  // namespace

TEST(PasswordChangeChecks, theThreeMessagesAndTheSilentCase) {
  EXPECT_EQ(CheckPasswordChange("x", "old", "new", "new"), PasswordChangeCheck::OldPasswordWrong);
  EXPECT_EQ(PasswordChangeMessage(PasswordChangeCheck::OldPasswordWrong), QStringLiteral("Old password input error."));
  EXPECT_EQ(CheckPasswordChange("old", "old", "new", "neW"), PasswordChangeCheck::ConfirmMismatch);
  EXPECT_EQ(PasswordChangeMessage(PasswordChangeCheck::ConfirmMismatch),
            QStringLiteral("New password confirmed error."));
  EXPECT_EQ(CheckPasswordChange("old", "old", "old", "old"), PasswordChangeCheck::Unchanged);
  EXPECT_TRUE(PasswordChangeMessage(PasswordChangeCheck::Unchanged).isEmpty());
  EXPECT_EQ(CheckPasswordChange("old", "old", "new", "new"), PasswordChangeCheck::Ok);
}

TEST_F(PasswordChangeTest, restampsTheOldPasswordsPagesOnly) {
  std::vector<std::pair<int, int>> steps;
  const PasswordChangeResult r = ChangePassword("old", "new", [&](int done, int total) {
    steps.emplace_back(done, total);
    return true;
  });
  EXPECT_TRUE(r.userFileWritten);
  EXPECT_EQ(r.restamped, 4);
  EXPECT_EQ(r.failed, 0);
  ASSERT_EQ(steps.size(), 5u);  // four of the old password and the third one's page
  EXPECT_EQ(steps.back(), std::make_pair(5, 5));

  for (const char* name : {"07d60101.dia", "07d60102.dia", "07d60103.dia", "07d60101.rec"})
    EXPECT_EQ(headerOf(name, "new"), PasswordHeaderCheck::Matches) << name;
  EXPECT_EQ(headerOf("07d60104.dia", "third"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(headerOf("07d60105.DIA", "old"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(QStringLiteral("07d60102.dia"))), "{\\rtf1 two}");
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "new"), PasswordCheck::Accepted);
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "old"), PasswordCheck::Wrong);
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
}

TEST_F(PasswordChangeTest, aCrashBetweenTwoFiles_isFinishedAtTheNextStart) {
  const PasswordChangeResult r = ChangePassword("old", "new", [](int done, int) { return done < 2; });
  EXPECT_TRUE(r.interrupted);
  EXPECT_TRUE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
  EXPECT_EQ(headerOf("07d60103.dia", "old"), PasswordHeaderCheck::Matches);  // not reached yet

  EXPECT_TRUE(FinishInterruptedPasswordChange());
  for (const char* name : {"07d60101.dia", "07d60102.dia", "07d60103.dia", "07d60101.rec"})
    EXPECT_EQ(headerOf(name, "new"), PasswordHeaderCheck::Matches) << name;
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
  EXPECT_FALSE(FinishInterruptedPasswordChange());
}

TEST_F(PasswordChangeTest, userFileThatCannotBeWritten_changesNothing) {
  SetService(&Services::failWriteStep, [calls = 0](AtomicWriteStep step) mutable {
    // The record is the first write; the user file the second.
    return step == AtomicWriteStep::Rename && ++calls == 2;
  });
  const PasswordChangeResult r = ChangePassword("old", "new");
  SetService(&Services::failWriteStep, {});
  EXPECT_FALSE(r.userFileWritten);
  EXPECT_EQ(r.restamped, 0);
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "old"), PasswordCheck::Accepted);
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
}

TEST_F(PasswordChangeTest, crashBeforeTheUserFileChanged_leavesEverythingUnderTheOldPassword) {
  // What a crash right after writing the record leaves.
  ASSERT_EQ(ChangePassword("old", "new", [](int, int) { return false; }).interrupted, true);
  ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), "old"), WriteResult::Written);
  page("07d60101.dia", "old", "{\\rtf1 one}");
  EXPECT_TRUE(FinishInterruptedPasswordChange());
  EXPECT_EQ(headerOf("07d60102.dia", "old"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
}

TEST_F(PasswordChangeTest, secondChangeBeforeARestart_finishesTheFirstAndNamesEveryFailedPage) {
  // A page too large to read, and the first page's rewrite fails.
  {
    QFile huge(folder.file(QStringLiteral("07d60106.rec")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kDefaultReadLimit + 1));  // sparse
  }
  SetService(&Services::failWriteStep,
             [calls = 0](AtomicWriteStep step) mutable { return step == AtomicWriteStep::Rename && ++calls == 3; });
  const PasswordChangeResult first = ChangePassword("old", "new");
  SetService(&Services::failWriteStep, {});
  EXPECT_TRUE(first.userFileWritten);
  EXPECT_EQ(first.failedFiles, (QStringList{QStringLiteral("07d60101.dia"), QStringLiteral("07d60106.rec")}));
  EXPECT_EQ(first.failed, 2);
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);

  // The second change takes the first one's leftovers along.
  const PasswordChangeResult second = ChangePassword("new", "newest");
  EXPECT_TRUE(second.userFileWritten);
  EXPECT_EQ(second.failedFiles, QStringList{QStringLiteral("07d60106.rec")});
  for (const char* name : {"07d60101.dia", "07d60102.dia", "07d60103.dia", "07d60101.rec"})
    EXPECT_EQ(headerOf(name, "newest"), PasswordHeaderCheck::Matches) << name;
  EXPECT_EQ(headerOf("07d60104.dia", "third"), PasswordHeaderCheck::Matches);
  EXPECT_TRUE(folder.exists(QLatin1String(kPasswordChangeRecordName)));

  // A page of the first old password that turns up later is finished at the next start.
  page("07d60107.dia", "old", "{\\rtf1 restored from a backup}");
  QFile::remove(folder.file(QStringLiteral("07d60106.rec")));
  PasswordChangeResult finished;
  EXPECT_TRUE(FinishInterruptedPasswordChange({}, &finished));
  EXPECT_EQ(finished.restamped, 1);
  EXPECT_EQ(headerOf("07d60107.dia", "newest"), PasswordHeaderCheck::Matches);
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
}

TEST_F(PasswordChangeTest, crashBeforeTheSecondChangesUserFile_movesTheFirstsPagesToThePasswordInForce) {
  SetService(&Services::failWriteStep,
             [calls = 0](AtomicWriteStep step) mutable { return step == AtomicWriteStep::Rename && ++calls == 3; });
  ChangePassword("old", "new");  // 07d60101.dia stays under "old"
  SetService(&Services::failWriteStep, {});
  // The second change writes its record and stops before the user file.
  ASSERT_TRUE(ChangePassword("new", "newest", [](int, int) { return false; }).interrupted);
  ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), "new"), WriteResult::Written);
  page("07d60101.dia", "old", "{\\rtf1 one}");
  page("07d60102.dia", "new", "{\\rtf1 two}");
  EXPECT_TRUE(FinishInterruptedPasswordChange());
  EXPECT_EQ(headerOf("07d60101.dia", "new"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(headerOf("07d60102.dia", "new"), PasswordHeaderCheck::Matches);
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));
}
