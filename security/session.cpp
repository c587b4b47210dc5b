#include "security/session.h"

#include "platform/services.h"
#include "security/scramble.h"

namespace orlane {

QByteArray CurrentPassword() {
  return Service(&Services::password);
}

void SetCurrentPassword(const QByteArray& password) {
  SetService(&Services::password, password.left(kMaxPasswordBytes));
}

bool LoginPending() {
  return Service(&Services::loginPending);
}

void SetLoginPending(bool pending) {
  SetService(&Services::loginPending, pending);
}

}  // namespace orlane
