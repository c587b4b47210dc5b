// The sync account's password in the desktop's Secret Service (QtKeychain),
// never in a file of the program. Both calls answer through their callback
// from the event loop; without a Secret Service they fail with its reason.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace orlane {

// The keyring entry's name for an account.
QString SyncPasswordKey(const QString& server, const QString& user);

// done(password, error): the password, or nullopt and why there is none.
void ReadSyncPassword(const QString& server, const QString& user,
                      std::function<void(std::optional<QString>, const QString&)> done);
// done(error): empty when the password is kept.
void WriteSyncPassword(const QString& server, const QString& user, const QString& password,
                       std::function<void(const QString&)> done);

}  // namespace orlane
