// CSyncPasswordDlg: the password of the calendar server's account, asked when
// the desktop's keyring has none. What is typed is used for this run of the
// program only; it is never written anywhere.
#pragma once

#include "controls/themed_dialog.h"

#include <optional>

class QLineEdit;

namespace orlane {

class CSyncPasswordDlg final : public CThemedDialog {
  Q_OBJECT

 public:
  CSyncPasswordDlg(QString user, QString server, int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CSyncPasswordDlg)

  QLineEdit* PasswordEdit() const { return edit_; }
  QString Password() const;

 protected:
  void OnInitDialog() override;

 private:
  QString user_;
  QString server_;
  QLineEdit* edit_ = nullptr;
};

// Runs the dialog; the password, or nullopt when it was cancelled.
std::optional<QString> AskSyncPassword(const QString& user, const QString& server, int theme,
                                       QWidget* parent = nullptr);

}  // namespace orlane
