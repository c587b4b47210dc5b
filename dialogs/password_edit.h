// The password edit of the login dialogs: password echo, a sunken frame, and
// at most 32 bytes of UTF-8 (a 33rd byte cannot be typed or pasted), because
// the password header of every day file holds no more.
#pragma once

#include <QValidator>

class QLineEdit;
class QWidget;

namespace orlane {

// Refuses any text longer than the password limit in UTF-8 bytes.
class PasswordLimitValidator final : public QValidator {
  Q_OBJECT

 public:
  explicit PasswordLimitValidator(QObject* parent) : QValidator(parent) {}
  State validate(QString& input, int& pos) const override;
};

// A password edit at the rectangle (left, top, right, bottom as the layout
// tables give them) in parent's coordinates.
QLineEdit* MakePasswordEdit(QWidget* parent, int left, int top, int right, int bottom);

// The typed text as the bytes stored and compared.
QByteArray PasswordBytes(const QLineEdit* edit);

// Puts the focus into the edit and selects its whole text.
void SelectAllOf(QLineEdit* edit);

}  // namespace orlane
