#include "security/session.h"

#include "security/scramble.h"

namespace orlane {

namespace {
QByteArray& Password() {
  static QByteArray password;
  return password;
}
bool& Pending() {
  static bool pending = false;
  return pending;
}
}  // namespace

const QByteArray& CurrentPassword() {
  return Password();
}
void SetCurrentPassword(const QByteArray& password) {
  Password() = password.left(kMaxPasswordBytes);
}

bool LoginPending() {
  return Pending();
}
void SetLoginPending(bool pending) {
  Pending() = pending;
}

}  // namespace orlane
