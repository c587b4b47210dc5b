// The application object: the start-up sequence (user folder, early settings,
// instance lock, login, main window) and the clean end. The whole run of the
// program is the main window's loop inside InitInstance, which ends when the
// window is done (the exit question), not when it hides.
#pragma once

#include "days/settings_file.h"

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace orlane {

class CMainApp final {
 public:
  CMainApp() = default;
  Q_DISABLE_COPY_MOVE(CMainApp)

  // Runs the program; returns the process exit code.
  int InitInstance();

  // How a second copy tells the user that the first one runs (text, theme).
  using RunningNotice = std::function<void(const QString& text, int theme)>;
  static void SetRunningNotice(RunningNotice notice);

  // Runs the login (at start-up and when the hidden window is shown); true
  // when a password was accepted or a first one set.
  using LoginPromptFn = std::function<bool(int theme, QWidget* owner)>;
  static void SetLoginPrompt(LoginPromptFn prompt);

 private:
  static void RunUntilFinished(QDialog& mainDlg);

  StartupSettings startup_;
};

// Brings the program's active window (main window or login dialog, shown or
// hidden in the tray) to the front; false when there is none.
bool RaiseProgramWindow();

}  // namespace orlane
