#include "dialogs/sync_password_dlg.h"

#include "controls/mac_button.h"
#include "dialogs/password_edit.h"
#include "security/edge_rect.h"

#include <QLabel>
#include <QLineEdit>

namespace orlane {

namespace {
constexpr int kWidth = 340;
constexpr int kHeight = 140;
}  // namespace

CSyncPasswordDlg::CSyncPasswordDlg(QString user, QString server, int theme, QWidget* parent)
    : CThemedDialog(parent), user_(std::move(user)), server_(std::move(server)) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Calendar password"));
}

void CSyncPasswordDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  const int w = ClientSize().width();
  auto* prompt = new QLabel(QStringLiteral("Password of %1 at %2:").arg(user_, server_), Client());
  prompt->setWordWrap(true);
  prompt->setGeometry(EdgeRect(20, 34, w - 20, 62));
  prompt->show();
  edit_ = MakePasswordEdit(Client(), 20, 66, w - 20, 86);
  prompt->setBuddy(edit_);
  AddButton(QStringLiteral("&OK"), 1, EdgeRect(w - 160, 100, w - 95, 123))->setDefault(true);
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 100, w - 20, 123));
  edit_->setFocus(Qt::OtherFocusReason);
}

QString CSyncPasswordDlg::Password() const {
  return edit_ ? edit_->text() : QString();
}

std::optional<QString> AskSyncPassword(const QString& user, const QString& server, int theme, QWidget* parent) {
  CSyncPasswordDlg dialog(user, server, theme, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Password();
}

}  // namespace orlane
