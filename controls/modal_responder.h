// The answering of modal windows without a person. When the installed
// services hold a responder (Services::answerModal: tests, scripted runs),
// every themed dialog and message box describes itself to it instead of
// waiting for a person, and the responder picks the button by its control id
// (1 OK/Yes/Retry, 2 Cancel/No/close, 201 and 202 the extra ones).
#pragma once

#include "platform/services.h"

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
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

bool HasModalResponder();
// The responder's choice; 2 (cancel) when none is set.
int AskModalResponder(const ModalRequest& request);

// Runs a dialog that is not the program's own (Qt's print dialog), which no
// responder can answer: with a responder it is not shown and counts as
// cancelled.
int ExecForeignDialog(QDialog& dialog);

// For test runs only: when ORLANE_MODAL_ANSWER holds a button id, a responder
// that answers every modal at once with that id and reports it on stderr as
// "modal <class> [<title>] <text> -> <id>". Otherwise none (empty): the
// shipped program never answers a window by itself.
ModalResponder UnattendedResponder();

// Answers modal windows through the installed services while it lives; the
// earlier responder comes back when it goes.
class ScopedModalResponder final {
 public:
  explicit ScopedModalResponder(ModalResponder responder) : scope_(&Services::answerModal, std::move(responder)) {}

 private:
  ScopedService<ModalResponder> scope_;
};

}  // namespace orlane
