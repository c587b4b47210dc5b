#include "security/plain_error.h"

#include <cstdio>

namespace orlane {

namespace {
PlainErrorHandler& Handler() {
  static PlainErrorHandler handler;
  return handler;
}
}  // namespace

void ShowPlainError(const QString& text) {
  if (Handler()) {
    Handler()(text);
    return;
  }
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void SetPlainErrorHandler(PlainErrorHandler handler) {
  Handler() = std::move(handler);
}

}  // namespace orlane
