#include "controls/modal_responder.h"

#include <cstdio>
#include <utility>

namespace orlane {

namespace {
ModalResponder& Current() {
  static ModalResponder responder;
  return responder;
}
}  // namespace

void SetModalResponder(ModalResponder responder) {
  Current() = std::move(responder);
}

bool HasModalResponder() {
  return static_cast<bool>(Current());
}

int AskModalResponder(const ModalRequest& request) {
  return Current() ? Current()(request) : 2;
}

void InstallUnattendedResponder() {
  bool numeric = false;
  const int answer = qEnvironmentVariableIntValue("ORLANE_MODAL_ANSWER", &numeric);
  if (!numeric) return;
  const int id = answer;
  SetModalResponder([id](const ModalRequest& request) {
    const QString line =
        QStringLiteral("modal %1 [%2] %3 -> %4\n").arg(request.dialogClass, request.title, request.text).arg(id);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return id;
  });
}

ScopedModalResponder::ScopedModalResponder(ModalResponder responder) : previous_(std::move(Current())) {
  Current() = std::move(responder);
}

ScopedModalResponder::~ScopedModalResponder() {
  Current() = std::move(previous_);
}

}  // namespace orlane
