#include "dialogs/change_pass_dlg.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/wait_dlg.h"
#include "dialog_driver.h"
#include "dialogs/login_dlg.h"
#include "platform/file_io.h"
#include "platform/services.h"
#include "security/scramble.h"
#include "security/session.h"
#include "security/user_file.h"
#include "support/temp_user_folder.h"

#include "controls/bar_ctrl.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>

using namespace orlane;
using orlane::test::ModalLog;
using orlane::test::Type;

namespace {
struct ChangePassTest : ::testing::Test {
  test::TempUserFolder folder;

  void SetUp() override {
    ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), "old"), WriteResult::Written);
    SetCurrentPassword("old");
    page("07d60101.dia", "old", "{\\rtf1 one}");
    page("07d60102.dia", "old", "{\\rtf1 two}");
    page("07d60103.dia", "old", "{\\rtf1 three}");
    page("07d60101.rec", "old", "RIFF sound bytes");
    page("07d60104.dia", "third", "{\\rtf1 someone else}");
    page("07d60105.DIA", "old", "{\\rtf1 upper case}");
  }
  void TearDown() override { SetService(&Services::failWriteStep, {}); }

  void page(const char* name, const QByteArray& password, const QByteArray& content) {
    folder.write(QLatin1String(name), WrapWithPasswordHeader(content, password));
  }
  PasswordHeaderCheck headerOf(const char* name, const QByteArray& password) {
    return CheckPasswordHeader(folder.read(QLatin1String(name)), password);
  }
  static void Fill(CChangePassDlg& dlg, const QString& oldText, const QString& newText, const QString& confirm) {
    Type(dlg.OldEdit(), oldText);
    Type(dlg.NewEdit(), newText);
    Type(dlg.ConfirmEdit(), confirm);
  }
};
}  // namespace

TEST_F(ChangePassTest, wrongOldPassword_isToldSelectedAndNothingChanges) {
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("olde"), QStringLiteral("new"), QStringLiteral("new"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("Old password input error.")});
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(dlg.OldEdit()->selectionLength(), 4);
  EXPECT_EQ(dlg.ProgressRange(), -1);
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "old"), PasswordCheck::Accepted);
}

TEST_F(ChangePassTest, mismatchedConfirmation_emptiesBothNewFields) {
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("neW"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("New password confirmed error.")});
  EXPECT_TRUE(dlg.NewEdit()->text().isEmpty());
  EXPECT_TRUE(dlg.ConfirmEdit()->text().isEmpty());
  EXPECT_EQ(dlg.OldEdit()->text(), QStringLiteral("old"));
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);
}

TEST_F(ChangePassTest, sameNewPassword_doesNothingAndStaysOpen) {
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old"));
  dlg.Button(1)->click();
  EXPECT_TRUE(log.notices.isEmpty());
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(dlg.ProgressRange(), -1);
}

TEST_F(ChangePassTest, change_restampsTheOldPasswordsPagesAndTheOldPasswordNoLongerLogsIn) {
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
  dlg.Button(1)->click();
  EXPECT_TRUE(log.notices.isEmpty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.ProgressRange(), 5);  // every ".dia" and ".rec" listed, the third password's page too
  EXPECT_EQ(dlg.LastResult().restamped, 4);
  EXPECT_EQ(CurrentPassword(), "new");
  for (const char* name : {"07d60101.dia", "07d60102.dia", "07d60103.dia", "07d60101.rec"})
    EXPECT_EQ(headerOf(name, "new"), PasswordHeaderCheck::Matches) << name;
  EXPECT_EQ(headerOf("07d60104.dia", "third"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(headerOf("07d60105.DIA", "old"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(QStringLiteral("07d60103.dia"))), "{\\rtf1 three}");
  EXPECT_FALSE(folder.exists(QLatin1String(kPasswordChangeRecordName)));

  // The wait dialog went away once the work was done.
  QCoreApplication::processEvents();
  EXPECT_EQ(CWaitDlg::Current(), nullptr);

  CLoginDlg login(6);
  login.EnsureInitialized();
  Type(login.PasswordEdit(), QStringLiteral("old"));
  login.Button(1)->click();
  EXPECT_EQ(login.result(), QDialog::Rejected);
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("Incorrect password, please input again.")});
  Type(login.PasswordEdit(), QStringLiteral("new"));
  login.Button(1)->click();
  EXPECT_EQ(login.result(), QDialog::Accepted);
}

TEST_F(ChangePassTest, theGuiKeepsServingEventsWhileTheFilesChange) {
  std::atomic<bool> guiServed{false};
  std::atomic<int> waitedInVain{0};
  int barMaximum = -1;
  QTimer timer;
  timer.setInterval(1);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (CWaitDlg* wait = CWaitDlg::Current()) barMaximum = wait->Bar()->Maximum();
    guiServed = true;
  });
  // Every file written waits until the GUI thread has handled a timer event.
  SetService(&Services::failWriteStep, [&](AtomicWriteStep step) {
    if (step != AtomicWriteStep::Rename) return false;
    guiServed = false;
    QElapsedTimer waited;
    waited.start();
    while (!guiServed && waited.elapsed() < 3000) QThread::msleep(1);
    if (!guiServed) ++waitedInVain;
    return false;
  });
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
  timer.start();
  dlg.Button(1)->click();
  EXPECT_EQ(waitedInVain, 0);
  EXPECT_EQ(barMaximum, 5);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.LastResult().restamped, 4);
}

TEST_F(ChangePassTest, userFileThatCannotBeRewritten_stopsWithAMessageAndChangesNothing) {
  SetService(&Services::failWriteStep, [calls = 0](AtomicWriteStep step) mutable {
    return step == AtomicWriteStep::Rename && ++calls == 2;  // the record, then the user file
  });
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
  dlg.Button(1)->click();
  ASSERT_EQ(log.notices.size(), 1);
  EXPECT_TRUE(log.notices[0].contains(QStringLiteral("not changed")));
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(CurrentPassword(), "old");
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "old"), PasswordCheck::Accepted);
  EXPECT_TRUE(dlg.isEnabled());
}

TEST_F(ChangePassTest, pageThatCannotBeRewritten_isToldAndFinishedAtTheNextStart) {
  // The record and the user file go through; the first page does not.
  SetService(&Services::failWriteStep,
             [calls = 0](AtomicWriteStep step) mutable { return step == AtomicWriteStep::Rename && ++calls == 3; });
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Fill(dlg, QStringLiteral("old"), QStringLiteral("new"), QStringLiteral("new"));
  dlg.Button(1)->click();
  SetService(&Services::failWriteStep, {});
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentPassword(), "new");
  ASSERT_EQ(log.notices.size(), 1);
  EXPECT_TRUE(log.notices[0].startsWith(QStringLiteral("These pages could not be updated now: 07d60101.dia.")));
  EXPECT_EQ(headerOf("07d60101.dia", "old"), PasswordHeaderCheck::Matches);
  EXPECT_TRUE(folder.exists(QLatin1String(kPasswordChangeRecordName)));

  EXPECT_TRUE(FinishInterruptedPasswordChange());
  EXPECT_EQ(headerOf("07d60101.dia", "new"), PasswordHeaderCheck::Matches);
}

TEST(ChangePassEmpty, userWithoutPages_changesTheUserFileWithAnEmptyProgressRange) {
  test::TempUserFolder folder;
  ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), ""), WriteResult::Written);
  SetCurrentPassword("");
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Type(dlg.NewEdit(), QStringLiteral("first"));
  Type(dlg.ConfirmEdit(), QStringLiteral("first"));
  dlg.Button(1)->click();
  EXPECT_TRUE(log.notices.isEmpty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.ProgressRange(), 0);
  EXPECT_EQ(CheckPassword(UserFilePath(kUserFileName), "first"), PasswordCheck::Accepted);
  EXPECT_EQ(CurrentPassword(), "first");
}

TEST_F(ChangePassTest, layoutAndTitle) {
  CChangePassDlg dlg(6);
  dlg.EnsureInitialized();
  const int w = dlg.ClientSize().width();
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Orlane 2 - ChangePass"));
  EXPECT_EQ(dlg.size(), QSize(320, 180));
  EXPECT_EQ(dlg.OldEdit()->geometry(), QRect(130, 40, w - 150, 20));
  EXPECT_EQ(dlg.NewEdit()->geometry(), QRect(130, 70, w - 150, 20));
  EXPECT_EQ(dlg.ConfirmEdit()->geometry(), QRect(130, 100, w - 150, 20));
  EXPECT_EQ(dlg.Button(CChangePassDlg::kHelpId)->geometry(), QRect(w - 235, 140, 65, 23));
  EXPECT_EQ(dlg.Button(1)->geometry(), QRect(w - 160, 140, 65, 23));
  EXPECT_EQ(dlg.Button(2)->geometry(), QRect(w - 85, 140, 65, 23));
  for (QLineEdit* e : {dlg.OldEdit(), dlg.NewEdit(), dlg.ConfirmEdit()}) {
    EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    Type(e, QString(33, QLatin1Char('x')));
    EXPECT_EQ(e->text().size(), 32);
  }
}

TEST_F(ChangePassTest, screenshotsInTwoThemes) {
  for (const int theme : {0, 6}) {
    CChangePassDlg dlg(theme);
    const QImage shot = test::Shot(dlg);
    ASSERT_EQ(shot.size(), QSize(320, 180));
    EXPECT_EQ(shot.pixel(0, 90), ToQColor(ThemeColor(theme, kThemeOutline)).rgb());
    EXPECT_TRUE(test::SaveShot(shot, QStringLiteral("change_pass_theme%1.png").arg(theme)));
  }
}
