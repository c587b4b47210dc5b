// CChangePassDlg: replaces the login password. It checks the old password and
// the confirmed new one, then runs the password change (user file first, then
// every page of the old password re-stamped) off the GUI thread while the wait
// dialog shows the progress. Ends with OK only after a change.
#pragma once

#include "controls/themed_dialog.h"
#include "security/password_change.h"

class QLineEdit;

namespace orlane {

class CMacButton;

class CChangePassDlg : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 180;
  static constexpr int kHelpId = 1011;

  explicit CChangePassDlg(int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CChangePassDlg)

  void OnCommand(int id) override;

  QLineEdit* OldEdit() const { return old_; }
  QLineEdit* NewEdit() const { return new_; }
  QLineEdit* ConfirmEdit() const { return confirm_; }
  CMacButton* Button(int id) const;

  // The progress range the wait dialog was given by the last change (-1 before).
  int ProgressRange() const { return progressRange_; }
  // What the last change did.
  const PasswordChangeResult& LastResult() const { return lastResult_; }

 protected:
  void OnInitDialog() override;

 private:
  void OnOK();
  // Runs the change on a worker thread; the GUI thread keeps serving events.
  PasswordChangeResult RunChange(const QByteArray& oldPassword, const QByteArray& newPassword);
  void Report(const PasswordChangeResult& result);

  QLineEdit* old_ = nullptr;
  QLineEdit* new_ = nullptr;
  QLineEdit* confirm_ = nullptr;
  CMacButton* help_ = nullptr;
  CMacButton* ok_ = nullptr;
  CMacButton* cancel_ = nullptr;
  int progressRange_ = -1;
  PasswordChangeResult lastResult_;
};

}  // namespace orlane
