// The application object: the start-up sequence (user folder, early settings,
// instance lock, login, main window) and the clean end. The whole run of the
// program is the main window's loop inside InitInstance, which ends when the
// window is done (the exit question), not when it hides.
#pragma once

#include "days/settings_file.h"
#include "platform/services.h"

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace orlane {

class CMainApp final {
 public:
  // The login of the services the program was started with runs at start-up
  // and when the hidden window is shown.
  explicit CMainApp(const Services& services) : login_(services.login) {}
  Q_DISABLE_COPY_MOVE(CMainApp)

  // Runs the program; returns the process exit code.
  int InitInstance();

 private:
  static void RunUntilFinished(QDialog& mainDlg);
  bool LogIn(int theme) const { return !login_ || login_(theme, nullptr); }

  std::function<bool(int theme, QWidget* owner)> login_;
  StartupSettings startup_;
};

// Brings the program's active window (main window or login dialog, shown or
// hidden in the tray) to the front; false when there is none.
bool RaiseProgramWindow();

}  // namespace orlane
