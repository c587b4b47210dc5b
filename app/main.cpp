#include "app/application.h"
#include "app/platform_choice.h"
#include "app/program_accessibility.h"
#include "app/program_options.h"
#include "controls/modal_responder.h"
#include "dialogs/login_dlg.h"
#include "platform/services.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv) {
  if (const orlane::ProgramOption option = orlane::ParseProgramOption(argc, argv);
      option != orlane::ProgramOption::Run) {
    // No window: these work without a display.
    QCoreApplication application(argc, argv);
    return orlane::RunProgramOption(option, stdout);
  }
  // The window class and the desktop file name tie the windows and the tray
  // icon to the installed desktop entry (its name and icon).
  QCoreApplication::setApplicationName(QStringLiteral("orlane"));
  orlane::ChoosePlatformWithFallback();
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(ORLANE_APP_ID));
  orlane::InstallProgramAccessibility();
  // The real clock, desktop and sound devices; a person answers the windows
  // unless ORLANE_MODAL_ANSWER says otherwise (scripted test runs).
  orlane::Services services;
  services.answerModal = orlane::UnattendedResponder();
  services.login = &orlane::RunLoginDialog;
  orlane::InstallServices(services);
  orlane::CMainApp program(services);
  return program.InitInstance();
}
