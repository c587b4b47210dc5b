// The process-wide login state, kept in the installed services: the accepted
// password (at most 32 bytes) and the flag that start-up took it from the user
// file without asking.
#pragma once

#include <QByteArray>

namespace orlane {

QByteArray CurrentPassword();
void SetCurrentPassword(const QByteArray& password);

bool LoginPending();
void SetLoginPending(bool pending);

}  // namespace orlane
