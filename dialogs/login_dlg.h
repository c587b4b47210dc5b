// CLoginDlg: asks for the login password, or on the very first start for the
// password to choose (typed twice, so that a typo cannot lock the person out
// of every page), and checks it against the user file. The accepted password
// becomes the current password; the dialog ends with OK only then.
#pragma once

#include "controls/themed_dialog.h"
#include "security/user_file.h"

class QLabel;
class QLineEdit;

namespace orlane {

class CMacButton;

class CLoginDlg : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpId = 101;
  static constexpr int kWidth = 280;
  static constexpr int kHeight = 145;
  // The first start has the confirmation row besides.
  static constexpr int kConfirmRowHeight = 45;

  explicit CLoginDlg(int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CLoginDlg)

  void OnCommand(int id) override;

  QLabel* Prompt() const { return prompt_; }
  QLabel* Hint() const { return hint_; }
  QLineEdit* PasswordEdit() const { return edit_; }
  // The second field of a first start; null otherwise.
  QLabel* ConfirmPrompt() const { return confirmPrompt_; }
  QLineEdit* ConfirmEdit() const { return confirm_; }
  CMacButton* Button(int id) const;
  // Whether the dialog was built for a first start (no user file).
  bool FirstPassword() const { return firstPassword_; }

 protected:
  void OnInitDialog() override;

 private:
  void OnOK();
  CMacButton* MakeButton(const QString& text, int id, int left, int top);

  bool firstPassword_ = false;
  QLabel* prompt_ = nullptr;
  QLabel* hint_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* confirmPrompt_ = nullptr;
  QLineEdit* confirm_ = nullptr;
  CMacButton* help_ = nullptr;
  CMacButton* ok_ = nullptr;
  CMacButton* cancel_ = nullptr;
};

// Runs the login dialog modally; true when it ended with OK. The program's
// login (Services::login).
bool RunLoginDialog(int theme, QWidget* owner);

// Reads the user file for someone waiting to log in: a file the cipher
// refuses shows "parameter error" in the plain error box first.
StoredPassword ReadUserFileForLogin(const QString& path);

}  // namespace orlane
