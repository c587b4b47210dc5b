// The process-wide answerer of modal windows. When a responder is set (tests,
// scripted runs), every themed dialog and message box describes itself to it
// instead of waiting for a person, and the responder picks the button by its
// control id (1 OK/Yes/Retry, 2 Cancel/No/close, 201 and 202 the extra ones).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace orlane {

struct ModalRequest {
  QString dialogClass;  // "CMsgBoxDlg", "ErrorMessageBox", a dialog's class name
  int boxKind = -1;     // CMsgBoxDlg kind 0..3, else -1
  QString text;
  QString title;
  QStringList buttons;        // captions of the buttons offered, by position
  int defaultButton = 1;      // the id a keyboard answer picks
  QWidget* dialog = nullptr;  // laid out, not shown; may be inspected
};

using ModalResponder = std::function<int(const ModalRequest&)>;

void SetModalResponder(ModalResponder responder);
bool HasModalResponder();
// The responder's choice; 2 (cancel) when none is set.
int AskModalResponder(const ModalRequest& request);

// For test runs only: when ORLANE_MODAL_ANSWER holds a button id, every modal
// is answered at once with that id and reported on stderr as
// "modal <class> [<title>] <text> -> <id>". Otherwise nothing changes: the
// shipped program never answers a window by itself.
void InstallUnattendedResponder();

// Sets a responder for the lifetime of the object, restoring the earlier one.
class ScopedModalResponder final {
 public:
  explicit ScopedModalResponder(ModalResponder responder);
  ~ScopedModalResponder();
  ScopedModalResponder(const ScopedModalResponder&) = delete;
  ScopedModalResponder& operator=(const ScopedModalResponder&) = delete;

 private:
  ModalResponder previous_;
};

}  // namespace orlane
