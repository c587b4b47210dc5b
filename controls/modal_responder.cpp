#include "controls/modal_responder.h"

#include <QDialog>

#include <cstdio>
#include <utility>

namespace orlane {

bool HasModalResponder() {
  return static_cast<bool>(Service(&Services::answerModal));
}

int AskModalResponder(const ModalRequest& request) {
  const ModalResponder responder = Service(&Services::answerModal);
  return responder ? responder(request) : 2;
}

int ExecForeignDialog(QDialog& dialog) {
  return HasModalResponder() ? QDialog::Rejected : dialog.exec();
}

ModalResponder UnattendedResponder() {
  bool numeric = false;
  const int answer = qEnvironmentVariableIntValue("ORLANE_MODAL_ANSWER", &numeric);
  if (!numeric) return {};
  const int id = answer;
  return [id](const ModalRequest& request) {
    const QString line =
        QStringLiteral("modal %1 [%2] %3 -> %4\n").arg(request.dialogClass, request.title, request.text).arg(id);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return id;
  };
}

}  // namespace orlane
