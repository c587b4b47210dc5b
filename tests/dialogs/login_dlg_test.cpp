#include "dialogs/login_dlg.h"
#include "dialogs/help_topic.h"
#include "dialogs/password_edit.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "dialog_driver.h"
#include "platform/file_io.h"
#include "platform/services.h"
#include "security/session.h"
#include "security/user_file.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QLabel>

using namespace orlane;
using orlane::test::ModalLog;
using orlane::test::Type;

namespace {
struct LoginTest : ::testing::Test {
  test::TempUserFolder folder;
  QString userFile = UserFilePath(kUserFileName);

  void SetUp() override { SetCurrentPassword({}); }
  void TearDown() override {
    SetService(&Services::failWriteStep, {});
    SetService(&Services::openUrl, {});
  }
};
}  // namespace

TEST_F(LoginTest, firstStart_asksForANewPasswordTwiceWithTheHintAndCreatesTheUserFile) {
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Orlane 2 - Login"));
  EXPECT_EQ(dlg.size(), QSize(280, 190));
  EXPECT_TRUE(dlg.FirstPassword());
  EXPECT_EQ(dlg.Prompt()->text(), QStringLiteral("Please initialize a new password:"));
  ASSERT_NE(dlg.ConfirmEdit(), nullptr);
  EXPECT_EQ(dlg.ConfirmPrompt()->text(), QStringLiteral("Please confirm the password:"));
  EXPECT_EQ(dlg.ConfirmEdit()->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(dlg.Hint()->isHidden());
  EXPECT_EQ(dlg.Hint()->text(), QStringLiteral("Please remember it and keep it safely."));

  ModalLog log;
  // A typo in either field stores nothing: both are asked again.
  Type(dlg.PasswordEdit(), QStringLiteral("secret"));
  Type(dlg.ConfirmEdit(), QStringLiteral("secert"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("New password confirmed error.")});
  EXPECT_EQ(dlg.result(), QDialog::Rejected);  // not ended
  EXPECT_FALSE(QFile::exists(userFile));
  EXPECT_TRUE(dlg.ConfirmEdit()->text().isEmpty());
  EXPECT_EQ(dlg.PasswordEdit()->selectionLength(), 6);
  log.notices.clear();

  Type(dlg.PasswordEdit(), QStringLiteral("secret"));
  Type(dlg.ConfirmEdit(), QStringLiteral("secret"));
  dlg.Button(1)->click();
  EXPECT_TRUE(log.notices.isEmpty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentPassword(), "secret");
  EXPECT_EQ(CheckPassword(userFile, "secret"), PasswordCheck::Accepted);
  EXPECT_EQ(QFile(userFile).size(), 8);
}

TEST_F(LoginTest, firstStartWithAnEmptyEdit_createsAnEightByteUserFileThatNeedsNoLogin) {
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  dlg.Button(1)->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(QFile(userFile).size(), 8);
  const StoredPassword stored = ReadUserFile(userFile);
  EXPECT_EQ(DecideStartupLogin(stored, false), StartupLogin::NoLogin);
}

TEST_F(LoginTest, wrongPassword_isToldAndSelectedAndTheDialogStaysUntilTheRightOne) {
  ASSERT_EQ(CreateUserFile(userFile, "right password 7"), WriteResult::Written);
  SetCurrentPassword("before");
  CLoginDlg dlg(3);
  dlg.EnsureInitialized();
  EXPECT_FALSE(dlg.FirstPassword());
  EXPECT_EQ(dlg.Prompt()->text(), QStringLiteral("Please input your password:"));
  EXPECT_TRUE(dlg.Hint()->isHidden());

  ModalLog log;
  Type(dlg.PasswordEdit(), QStringLiteral("wrong"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("Incorrect password, please input again.")});
  EXPECT_EQ(dlg.result(), QDialog::Rejected);  // not ended
  EXPECT_EQ(dlg.PasswordEdit()->selectionStart(), 0);
  EXPECT_EQ(dlg.PasswordEdit()->selectionLength(), 5);
  EXPECT_EQ(CurrentPassword(), "before");
  EXPECT_EQ(CheckPassword(userFile, "right password 7"), PasswordCheck::Accepted);  // untouched

  Type(dlg.PasswordEdit(), QStringLiteral("right password 7"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices.size(), 1);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentPassword(), "right password 7");
}

TEST_F(LoginTest, enterInTheEditPressesOkAndEscapeCancels) {
  ASSERT_EQ(CreateUserFile(userFile, "pw"), WriteResult::Written);
  CLoginDlg dlg(6);
  dlg.show();  // the default button answers Enter only while it is on screen
  ModalLog log;
  Type(dlg.PasswordEdit(), QStringLiteral("nope"));
  QTest::keyClick(dlg.PasswordEdit(), Qt::Key_Return);
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("Incorrect password, please input again.")});
  Type(dlg.PasswordEdit(), QStringLiteral("pw"));
  QTest::keyClick(dlg.PasswordEdit(), Qt::Key_Return);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);

  CLoginDlg second(6);
  second.EnsureInitialized();
  second.setResult(QDialog::Accepted);
  QTest::keyClick(second.PasswordEdit(), Qt::Key_Escape);
  EXPECT_EQ(second.result(), QDialog::Rejected);
  EXPECT_EQ(CurrentPassword(), "pw");
}

TEST_F(LoginTest, passwordsWithoutZeroPadding_areAcceptedAtTheNextLogin) {
  for (const int length : {7, 15, 23, 31, 32}) {
    const QString password(length, QLatin1Char('p'));
    ASSERT_EQ(CreateUserFile(userFile, password.toUtf8()), WriteResult::Written);
    CLoginDlg dlg(6);
    dlg.EnsureInitialized();
    ModalLog log;
    Type(dlg.PasswordEdit(), password);
    dlg.Button(1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << length;
    EXPECT_TRUE(log.notices.isEmpty()) << length;
  }
}

TEST_F(LoginTest, theEditTakesAtMost32BytesOfUtf8) {
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  Type(dlg.PasswordEdit(), QString(40, QLatin1Char('a')));
  EXPECT_EQ(dlg.PasswordEdit()->text(), QString(32, QLatin1Char('a')));
  // Two bytes each: the seventeenth does not fit.
  Type(dlg.PasswordEdit(), QString(20, QChar(0x00E9)));
  EXPECT_EQ(dlg.PasswordEdit()->text().size(), 16);
  EXPECT_EQ(dlg.PasswordEdit()->text().toUtf8().size(), 32);
  EXPECT_EQ(dlg.PasswordEdit()->echoMode(), QLineEdit::Password);
}

namespace {
bool IsSubsequence(const QString& part, const QString& whole) {
  qsizetype at = 0;
  for (const QChar c : part) {
    at = whole.indexOf(c, at);
    if (at < 0) return false;
    ++at;
  }
  return true;
}
}  // namespace

TEST(PasswordEdit, randomTypingAndPastingNeverGoesPast32Bytes) {
  QWidget parent;
  QLineEdit* edit = MakePasswordEdit(&parent, 0, 0, 100, 20);
  test::RandomBytes random(20261208);
  for (int round = 0; round < 300; ++round) {
    QString typed;  // what a keyboard can send: printable characters
    for (const QChar c : QString::fromUtf8(random.bytes(90)))
      if (c.isPrint() && !c.isSurrogate()) typed += c;
    Type(edit, typed);
    EXPECT_LE(edit->text().toUtf8().size(), 32);
    // A character that does not fit is refused; a shorter one after it may still fit.
    EXPECT_TRUE(IsSubsequence(edit->text(), typed)) << typed.toUtf8().toHex().toStdString();
    const QString before = edit->text();
    edit->insert(QString::fromUtf8(random.bytes(90)));  // a paste at the caret
    EXPECT_LE(edit->text().toUtf8().size(), 32);
    EXPECT_TRUE(edit->text().startsWith(before));
  }
}

TEST_F(LoginTest, userFileThatCannotBeCreated_isToldAndTheDialogEndsWithCancel) {
  SetService(&Services::failWriteStep, [](AtomicWriteStep step) { return step == AtomicWriteStep::Rename; });
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  Type(dlg.PasswordEdit(), QStringLiteral("secret"));
  Type(dlg.ConfirmEdit(), QStringLiteral("secret"));
  dlg.Button(1)->click();
  EXPECT_EQ(log.notices, QStringList{QStringLiteral("User file create failed, please contact us by email.")});
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_FALSE(QFile::exists(userFile));
  EXPECT_TRUE(CurrentPassword().isEmpty());
}

TEST_F(LoginTest, unreadableUserFile_letsNobodyIn) {
  QDir().mkpath(userFile);  // a folder in the file's place cannot be read
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  ModalLog log;
  for (const char* typed : {"", "anything"}) {
    Type(dlg.PasswordEdit(), QString::fromLatin1(typed));
    dlg.Button(1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
  }
  EXPECT_EQ(log.notices, QStringList({UnreadableUserFileMessage(), UnreadableUserFileMessage()}));
  EXPECT_TRUE(CurrentPassword().isEmpty());
  EXPECT_TRUE(QFileInfo(userFile).isDir());  // nothing replaced it
}

TEST_F(LoginTest, damagedUserFile_showsParameterErrorAndAcceptsNoPassword) {
  folder.write(QString::fromLatin1(kUserFileName), QByteArray(12, 'x'));
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  QStringList shown;  // the plain error box first, then the themed notice
  ScopedModalResponder answer([&](const ModalRequest& r) {
    shown << r.dialogClass + QStringLiteral(": ") + r.text;
    return 1;
  });
  Type(dlg.PasswordEdit(), QStringLiteral("x"));
  dlg.Button(1)->click();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(shown, (QStringList{QStringLiteral("ErrorMessageBox: parameter error"),
                                QStringLiteral("CMsgBoxDlg: Incorrect password, please input again.")}));
  EXPECT_EQ(folder.read(QString::fromLatin1(kUserFileName)), QByteArray(12, 'x'));
}

TEST_F(LoginTest, helpOpensTheLoginPageOrSaysItIsMissing) {
  QList<QUrl> opened;
  SetService(&Services::openUrl, [&](const QUrl& url) {
    opened << url;
    return true;
  });
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  {
    ModalLog log;
    dlg.Button(CLoginDlg::kHelpId)->click();
    ASSERT_EQ(log.notices.size(), 1);
    EXPECT_TRUE(log.notices[0].contains(QStringLiteral("login.htm")));
    EXPECT_TRUE(opened.isEmpty());
  }
  const QString helpFolder = folder.root() + QStringLiteral("data/orlane/help/");
  QDir().mkpath(helpFolder);
  QFile page(helpFolder + QStringLiteral("login.htm"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();
  ModalLog log;
  dlg.Button(CLoginDlg::kHelpId)->click();
  EXPECT_TRUE(log.notices.isEmpty());
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0].toLocalFile(), QFileInfo(page).absoluteFilePath());
  EXPECT_EQ(dlg.result(), QDialog::Rejected);  // help does not end the dialog
}

TEST(HelpTopic, namesThatLeaveTheHelpFolderAreRefused) {
  EXPECT_TRUE(HelpTopicUrl(QStringLiteral("../user.sav")).isEmpty());
  EXPECT_TRUE(HelpTopicUrl(QStringLiteral("")).isEmpty());
  EXPECT_TRUE(HelpTopicUrl(QStringLiteral("..")).isEmpty());
}

TEST_F(LoginTest, controlsSitAtTheirRectangles) {
  {
    // The first start: the confirmation row, and the rows below it 45 pixels further down.
    CLoginDlg first(6);
    first.EnsureInitialized();
    EXPECT_EQ(first.ConfirmPrompt()->geometry(), QRect(10, 85, 260, 15));
    EXPECT_EQ(first.ConfirmEdit()->geometry(), QRect(10, 105, 252, 20));
    EXPECT_EQ(first.Hint()->geometry(), QRect(10, 130, 255, 15));
    EXPECT_EQ(first.Button(1)->geometry(), QRect(110, 153, 70, 22));
  }
  ASSERT_EQ(CreateUserFile(userFile, "pw"), WriteResult::Written);
  CLoginDlg dlg(6);
  dlg.EnsureInitialized();
  EXPECT_EQ(dlg.ConfirmEdit(), nullptr);
  EXPECT_EQ(dlg.Prompt()->geometry(), QRect(10, 37, 260, 15));
  EXPECT_EQ(dlg.PasswordEdit()->geometry(), QRect(10, 60, 252, 20));
  EXPECT_EQ(dlg.Hint()->geometry(), QRect(10, 85, 255, 15));
  EXPECT_EQ(dlg.Button(CLoginDlg::kHelpId)->geometry(), QRect(30, 108, 70, 22));
  EXPECT_EQ(dlg.Button(1)->geometry(), QRect(110, 108, 70, 22));
  EXPECT_EQ(dlg.Button(2)->geometry(), QRect(190, 108, 70, 22));
  EXPECT_EQ(dlg.Button(1)->text(), QStringLiteral("&OK"));
  EXPECT_EQ(dlg.Button(1)->Theme(), 6);
  for (const QWidget* w :
       std::initializer_list<const QWidget*>{dlg.Prompt(), dlg.PasswordEdit(), dlg.Hint(), dlg.Button(1)}) {
    EXPECT_EQ(w->font().family(), dlg.NormalFont().family());
    EXPECT_EQ(w->font().pixelSize(), dlg.NormalFont().pixelSize());
  }
}

TEST_F(LoginTest, screenshotsInTwoThemes) {
  for (const int theme : {3, 6}) {
    CLoginDlg dlg(theme);
    const QImage shot = test::Shot(dlg);
    ASSERT_EQ(shot.size(), QSize(280, 190));  // a first start
    EXPECT_EQ(shot.pixel(0, 70), ToQColor(ThemeColor(theme, kThemeOutline)).rgb());
    EXPECT_EQ(shot.pixel(8, 110), ToQColor(ThemeColor(theme, kThemeLightFace)).rgb());
    EXPECT_TRUE(test::SaveShot(shot, QStringLiteral("login_theme%1.png").arg(theme)));
  }
}
