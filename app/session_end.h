// The program's end from outside the window: SIGTERM and SIGHUP, the session
// manager's request for the program's data at logout, and the application
// quitting. Each saves the shown day and the settings first, as Exit does,
// without asking the exit question.
#pragma once

#include <functional>

namespace orlane {

class CMainDlg;
class TerminationSignals;

// endProgram runs after a signal's save (the program passes
// QCoreApplication::exit, which also ends open modal windows).
void ConnectSessionEnd(CMainDlg& window, TerminationSignals& signals, std::function<void()> endProgram);

}  // namespace orlane
