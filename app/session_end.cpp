#include "app/session_end.h"

#include "app/main_dlg.h"
#include "platform/termination_signals.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <utility>

namespace orlane {

void ConnectSessionEnd(CMainDlg& window, TerminationSignals& signals, std::function<void()> endProgram) {
  QObject::connect(&signals, &TerminationSignals::received, &window,
                   [&window, endProgram = std::move(endProgram)](int) {
                     window.SaveForSessionEnd();
                     if (endProgram) endProgram();
                   });
  // The session may still be cancelled: the program goes on after saving.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QObject::connect(
        app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) { window.CommitSessionData(); },
        Qt::DirectConnection);
    QObject::connect(app, &QCoreApplication::aboutToQuit, &window, [&window] { window.SaveForSessionEnd(); });
  }
}

}  // namespace orlane
