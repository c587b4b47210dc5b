#include "app/application.h"

#include "app/deskleaf_link.h"
#include "app/main_dlg.h"
#include "app/session_end.h"
#include "calendar/online_commands.h"
#include "controls/first_paint.h"
#include "controls/modal_responder.h"
#include "controls/msg_box_dlg.h"
#include "controls/program_fonts.h"
#include "days/day_files.h"
#include "dialogs/login_dlg.h"
#include "platform/app_paths.h"
#include "platform/instance_lock.h"
#include "platform/program_info.h"
#include "platform/termination_signals.h"
#include "security/error_log.h"
#include "security/folder_path.h"
#include "security/password_change.h"
#include "security/session.h"
#include "security/user_file.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>

#include <cstdio>

namespace orlane {

namespace {
// How a second copy tells the user that the first one runs: the themed notice
// tells the user; the same line on stderr tells scripts.
void RunningNotice(const QString& text, int theme) {
  ThemedNotice(text, theme);
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

bool IsProgramWindow(const QWidget* w) {
  return w && w->isWindow() && w->windowTitle().contains(QLatin1String(kProgramTitle));
}
}  // namespace

bool RaiseProgramWindow() {
  QWidget* target = QApplication::activeModalWidget();
  if (!IsProgramWindow(target)) target = nullptr;
  if (!target) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (IsProgramWindow(w)) {
        target = w;
        break;
      }
  }
  if (!target) return false;
  // A window hidden in the tray comes forward without being shown.
  if (target->isVisible()) {
    if (target->isMinimized()) target->showNormal();
    target->raise();
    target->activateWindow();
  }
  return true;
}

int CMainApp::InitInstance() {
  // A tray program ends through its exit question only, never because its
  // last visible window closed (a login, an alert, the hidden main window).
  QApplication::setQuitOnLastWindowClosed(false);
  LoadProgramFonts();
  SetUserFolder(ResolveUserFolder());
  CreateFolderPath(UserFolder());
  startup_ = ReadStartupSettings(UserFilePath(kSettingsFileName));

  QString lockNote;
  InstanceLock lock(InstanceLock::DefaultSocketPath(&lockNote));
  if (!lockNote.isEmpty()) LogError("%s", lockNote.toLocal8Bit().constData());
  const InstanceLock::Result lockResult = lock.acquire();
  if (lockResult == InstanceLock::Result::Error) {
    RunningNotice(lock.errorString(), startup_.theme);
    return 1;
  }
  if (lockResult == InstanceLock::Result::OtherRaised) {
    RunningNotice(QLatin1String(kProgramTitle) + QStringLiteral(" is running now."), startup_.theme);
    return 0;
  }
  if (lockResult == InstanceLock::Result::OtherWithoutWindow) return 0;
  lock.setRaiseHandler(&RaiseProgramWindow);

  FinishInterruptedPasswordChange();

  // Login: the decision is the user file's and the hide-at-start-up flag's.
  const StoredPassword stored = ReadUserFileForLogin(UserFilePath(kUserFileName));
  switch (DecideStartupLogin(stored, startup_.hideAtStartup != 0)) {
    case StartupLogin::Refuse: ThemedNotice(UnreadableUserFileMessage(), startup_.theme); return 1;
    case StartupLogin::AskPassword:
      if (!LogIn(startup_.theme)) return 0;
      break;
    case StartupLogin::TakeStoredPassword:
      SetLoginPending(true);
      SetCurrentPassword(StartupPassword(stored));
      break;
    case StartupLogin::NoLogin: break;
  }

  CMainDlg mainDlg;
  mainDlg.SetPasswordPrompt(login_);
  TerminationSignals termination;
  ConnectSessionEnd(mainDlg, termination, [] { QCoreApplication::exit(0); });
  if (mainDlg.OnInitDialog()) {
    // The widget follows the main window onto the screen, with the values
    // start-up read; built first, it held the main window back.
    if (startup_.launchDeskleaf) {
      AfterFirstPaint(mainDlg, [&mainDlg, startup = startup_] {
        mainDlg.Deskleaf().Show(startup.theme, startup.dateFormat, startup.weekStart, 0);
      });
    }
    // The check never ends the program: an update is only offered as its download page.
    if (mainDlg.settings().checkUpdate) StartupUpdateCheck(&mainDlg, mainDlg.Theme());
    RunUntilFinished(mainDlg);
  }
  return 0;
}

void CMainApp::RunUntilFinished(QDialog& mainDlg) {
  // Not QDialog::exec(): hiding a dialog ends its modal loop, and the main
  // window hides to the tray while the program keeps running.
  QEventLoop loop;
  QObject::connect(&mainDlg, &QDialog::finished, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace orlane
