// Folders only this user can enter, for files other local users must not plant,
// replace or read: the instance lock's fallback folder and the copies of
// attached files handed to the desktop.
#pragma once

#include <QString>

namespace orlane {

// True when path is a real folder (not a symbolic link) owned by this user
// with mode 0700.
bool IsPrivateFolder(const QString& path);

// Creates a new folder parent/prefixXXXXXX with mode 0700 (mkdtemp); its path,
// or an empty text when it cannot be made.
QString MakeFreshPrivateFolder(const QString& parent, const QString& prefix);

// The folder for private files under $XDG_RUNTIME_DIR when that is a private
// folder, else the system's temporary folder.
QString PrivateFolderParent();

}  // namespace orlane
