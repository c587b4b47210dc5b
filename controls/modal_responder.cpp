#include "controls/modal_responder.h"

#include <QGuiApplication>

#include <cstdio>
#include <utility>

namespace orlane {

namespace {
ModalResponder& Current() {
  static ModalResponder responder;
  return responder;
}
}  // namespace

void SetModalResponder(ModalResponder responder) { Current() = std::move(responder); }

bool HasModalResponder() { return static_cast<bool>(Current()); }

int AskModalResponder(const ModalRequest& request) { return Current() ? Current()(request) : 2; }

void InstallUnattendedResponder() {
  bool numeric = false;
  const int answer = qEnvironmentVariableIntValue("ORLANE_MODAL_ANSWER", &numeric);
  const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  if (!numeric && !offscreen) return;
  SetModalResponder([numeric, answer](const ModalRequest& request) {
    const int id = numeric ? answer : request.defaultButton;
    const QString line = QStringLiteral("modal %1 [%2] %3 -> %4\n")
                             .arg(request.dialogClass, request.title, request.text)
                             .arg(id);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return id;
  });
}

ScopedModalResponder::ScopedModalResponder(ModalResponder responder) : previous_(std::move(Current())) {
  Current() = std::move(responder);
}

ScopedModalResponder::~ScopedModalResponder() { Current() = std::move(previous_); }

}  // namespace orlane
