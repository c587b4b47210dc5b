// CWaitDlg: the "Please Wait..." window with a progress bar, shown while a
// long operation runs. One at a time: Start shows it, the working code calls
// Progress and Done (from any thread: plain atomic writes), and a 10 ms timer
// on the GUI thread moves the bar, hides the window when the progress reaches
// the maximum and destroys it once Done has been called.
#pragma once

#include "controls/themed_dialog.h"

#include <QTimer>
#include <atomic>

namespace orlane {

class CBarCtrl;
class CColorLabel;

class CWaitDlg : public CThemedDialog {
  Q_OBJECT

 public:
  CWaitDlg(const QString& message, int maximum, int theme);
  ~CWaitDlg() override;
  Q_DISABLE_COPY_MOVE(CWaitDlg)

  // The shared operation. Start replaces a wait dialog still open.
  static void Start(QWidget* owner, const QString& message, int maximum, int theme);
  static void Progress(int value);
  static void Done();
  // The wait dialog of the running operation, or none.
  static CWaitDlg* Current();

  CBarCtrl* Bar() const { return bar_; }
  CColorLabel* Label() const { return label_; }

 protected:
  void OnInitDialog() override;

 private:
  // One step of the dialog's loop: move the bar, hide at the maximum, end when done.
  static void Tick();
  static void Finish();

  QString message_;
  int maximum_;
  CColorLabel* label_ = nullptr;
  CBarCtrl* bar_ = nullptr;
  QTimer timer_;
};

}  // namespace orlane
