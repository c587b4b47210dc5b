#include "dialogs/password_edit.h"

#include "security/edge_rect.h"
#include "security/scramble.h"

#include <QLineEdit>

namespace orlane {

QValidator::State PasswordLimitValidator::validate(QString& input, int& /*pos*/) const {
  return input.toUtf8().size() <= kMaxPasswordBytes ? Acceptable : Invalid;
}

QLineEdit* MakePasswordEdit(QWidget* parent, int left, int top, int right, int bottom) {
  auto* edit = new QLineEdit(parent);
  edit->setEchoMode(QLineEdit::Password);
  edit->setFrame(true);
  edit->setMaxLength(kMaxPasswordBytes);
  edit->setValidator(new PasswordLimitValidator(edit));
  edit->setFocusPolicy(Qt::StrongFocus);
  edit->setGeometry(EdgeRect(left, top, right, bottom));
  edit->show();
  return edit;
}

QByteArray PasswordBytes(const QLineEdit* edit) {
  return edit->text().toUtf8();
}

void SelectAllOf(QLineEdit* edit) {
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();  // the caret ends at the text's end, which scrolls it into view
}

}  // namespace orlane
