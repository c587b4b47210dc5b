#include "dialogs/change_pass_dlg.h"

#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "controls/wait_dlg.h"
#include "dialogs/help_topic.h"
#include "dialogs/password_edit.h"
#include "platform/program_info.h"
#include "security/edge_rect.h"
#include "security/session.h"

#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

#include <memory>

namespace orlane {

CChangePassDlg::CChangePassDlg(int theme, QWidget* parent) : CThemedDialog(parent) {
  SetTheme(theme);
  setWindowTitle(QString::fromUtf8(kProgramTitle) + QStringLiteral(" - ChangePass"));
}

CMacButton* CChangePassDlg::Button(int id) const {
  switch (id) {
    case kHelpId: return help_;
    case 1: return ok_;
    case 2: return cancel_;
    default: return nullptr;
  }
}

void CChangePassDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  const int w = ClientSize().width();

  const auto row = [this, w](const QString& text, int top) {
    auto* label = new QLabel(text, Client());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(EdgeRect(20, top + 2, 120, top + 18));
    label->show();
    QLineEdit* edit = MakePasswordEdit(Client(), 130, top, w - 20, top + 20);
    label->setBuddy(edit);  // names the field for a screen reader
    return edit;
  };
  old_ = row(QStringLiteral("Old password:"), 40);
  new_ = row(QStringLiteral("New password:"), 70);
  confirm_ = row(QStringLiteral("Confirm password:"), 100);

  const auto button = [this](const QString& text, int id, int left) {
    return AddButton(text, id, EdgeRect(left, 140, left + 65, 163));
  };
  help_ = button(QStringLiteral("&Help"), kHelpId, w - 235);
  ok_ = button(QStringLiteral("&OK"), 1, w - 160);
  cancel_ = button(QStringLiteral("&Cancel"), 2, w - 85);
  ok_->setDefault(true);
  old_->setFocus(Qt::OtherFocusReason);
}

void CChangePassDlg::OnCommand(int id) {
  if (id == 1) {
    OnOK();
  } else if (id == kHelpId) {
    OpenHelpTopic(QLatin1String(help::kChangePassword), Theme(), this);
  } else {
    CThemedDialog::OnCommand(id);
  }
}

void CChangePassDlg::OnOK() {
  const QByteArray typedOld = PasswordBytes(old_);
  const QByteArray typedNew = PasswordBytes(new_);
  const PasswordChangeCheck check = CheckPasswordChange(typedOld, CurrentPassword(), typedNew, PasswordBytes(confirm_));
  switch (check) {
    case PasswordChangeCheck::OldPasswordWrong:
      ThemedNotice(PasswordChangeMessage(check), Theme(), this);
      SelectAllOf(old_);
      return;
    case PasswordChangeCheck::ConfirmMismatch:
    case PasswordChangeCheck::TooLong:
      ThemedNotice(PasswordChangeMessage(check), Theme(), this);
      new_->clear();
      confirm_->clear();
      new_->setFocus(Qt::OtherFocusReason);
      return;
    case PasswordChangeCheck::Unchanged: return;
    case PasswordChangeCheck::Ok: break;
  }

  lastResult_ = RunChange(typedOld, typedNew);
  if (!lastResult_.userFileWritten) {
    // Nothing was changed: the pages and the user file still hold the old password.
    ThemedNotice(QStringLiteral("The user file could not be written, so the password was not changed."), Theme(), this);
    return;
  }
  SetCurrentPassword(typedNew);
  Report(lastResult_);
  accept();
}

PasswordChangeResult CChangePassDlg::RunChange(const QByteArray& oldPassword, const QByteArray& newPassword) {
  progressRange_ = static_cast<int>(PasswordStampedFiles().size());
  CWaitDlg::Start(this, QStringLiteral("Updating record, please wait..."), progressRange_, Theme());
  setEnabled(false);  // no second OK or Cancel while the files change

  PasswordChangeResult result;
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&result, oldPassword, newPassword] {
    result = ChangePassword(oldPassword, newPassword, [](int done, int) {
      CWaitDlg::Progress(done);
      return true;
    });
  }));
  // Queued to this thread, so a worker that ends before exec() still quits it.
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();

  CWaitDlg::Done();
  setEnabled(true);
  return result;
}

void CChangePassDlg::Report(const PasswordChangeResult& result) {
  if (result.failedFiles.isEmpty()) return;
  ThemedNotice(QStringLiteral("These pages could not be updated now: %1. They keep the old password until the next "
                              "start or the next change of the password updates them.")
                   .arg(result.failedFiles.join(QStringLiteral(", "))),
               Theme(), this);
}

}  // namespace orlane
