#include "dialogs/login_dlg.h"

#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "dialogs/help_topic.h"
#include "dialogs/password_edit.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/program_info.h"
#include "security/cipher.h"
#include "security/edge_rect.h"
#include "security/password_change.h"
#include "security/session.h"

#include <QLabel>
#include <QLineEdit>

namespace orlane {

CLoginDlg::CLoginDlg(int theme, QWidget* parent) : CThemedDialog(parent) {
  SetTheme(theme);
  setWindowTitle(QString::fromUtf8(kProgramTitle) + QStringLiteral(" - Login"));
}

CMacButton* CLoginDlg::Button(int id) const {
  switch (id) {
    case kHelpId: return help_;
    case 1: return ok_;
    case 2: return cancel_;
    default: return nullptr;
  }
}

CMacButton* CLoginDlg::MakeButton(const QString& text, int id, int left, int top) {
  return AddButton(text, id, EdgeRect(left, top, left + 70, top + 22));
}

void CLoginDlg::OnInitDialog() {
  firstPassword_ = !FileExists(UserFilePath(kUserFileName));
  // The rows below the password edit move down by the confirmation row.
  const int below = firstPassword_ ? kConfirmRowHeight : 0;
  resize(kWidth, kHeight + below);
  CenterWindow();
  CThemedDialog::OnInitDialog();

  prompt_ = new QLabel(firstPassword_ ? QStringLiteral("Please initialize a new password:")
                                      : QStringLiteral("Please input your password:"),
                       Client());
  prompt_->setGeometry(EdgeRect(10, 37, 270, 52));
  prompt_->show();

  edit_ = MakePasswordEdit(Client(), 10, 60, 262, 80);
  prompt_->setBuddy(edit_);  // the prompt names the field for a screen reader

  if (firstPassword_) {
    confirmPrompt_ = new QLabel(QStringLiteral("Please confirm the password:"), Client());
    confirmPrompt_->setGeometry(EdgeRect(10, 85, 270, 100));
    confirmPrompt_->show();
    confirm_ = MakePasswordEdit(Client(), 10, 105, 262, 125);
  }

  hint_ = new QLabel(QStringLiteral("Please remember it and keep it safely."), Client());
  hint_->setGeometry(EdgeRect(10, 85 + below, 265, 100 + below));
  hint_->setVisible(firstPassword_);

  help_ = MakeButton(QStringLiteral("&Help"), kHelpId, 30, 108 + below);
  ok_ = MakeButton(QStringLiteral("&OK"), 1, 110, 108 + below);
  cancel_ = MakeButton(QStringLiteral("&Cancel"), 2, 190, 108 + below);
  ok_->setDefault(true);
  edit_->setFocus(Qt::OtherFocusReason);
}

void CLoginDlg::OnCommand(int id) {
  if (id == 1) {
    OnOK();
  } else if (id == kHelpId) {
    OpenHelpTopic(QLatin1String(help::kLogin), Theme(), this);
  } else {
    CThemedDialog::OnCommand(id);
  }
}

void CLoginDlg::OnOK() {
  const QByteArray typed = PasswordBytes(edit_);
  const QString userFile = UserFilePath(kUserFileName);
  switch (CheckPassword(ReadUserFileForLogin(userFile), typed)) {
    case PasswordCheck::Accepted:
      SetCurrentPassword(typed);
      accept();
      return;
    case PasswordCheck::Wrong:
      ThemedNotice(QStringLiteral("Incorrect password, please input again."), Theme(), this);
      SelectAllOf(edit_);
      return;
    case PasswordCheck::Unreadable:
      // Nobody gets in past a user file that cannot be read.
      ThemedNotice(UnreadableUserFileMessage(), Theme(), this);
      SelectAllOf(edit_);
      return;
    case PasswordCheck::NoUserFile:
      if (confirm_ && PasswordBytes(confirm_) != typed) {
        // The two fields differ: nothing is stored, both are typed again.
        ThemedNotice(PasswordChangeMessage(PasswordChangeCheck::ConfirmMismatch), Theme(), this);
        confirm_->clear();
        SelectAllOf(edit_);
        return;
      }
      if (CreateUserFile(userFile, typed) != WriteResult::Written) {
        ThemedNotice(QStringLiteral("User file create failed, please contact us by email."), Theme(), this);
        reject();
        return;
      }
      SetCurrentPassword(typed);
      accept();
      return;
  }
}

bool RunLoginDialog(int theme, QWidget* owner) {
  CLoginDlg login(theme, owner);
  return login.exec() == QDialog::Accepted;
}

StoredPassword ReadUserFileForLogin(const QString& path) {
  StoredPassword stored = ReadUserFile(path);
  if (stored.parameterError) ShowErrorMessage(QString::fromLatin1(kParameterErrorText));
  return stored;
}

}  // namespace orlane
