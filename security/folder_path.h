// Creates every missing folder of a path, one component at a time, and writes
// the first folder that cannot be made to the error log. The folders it makes
// are private to the user (0700): the user folder holds the diary, the sound
// diary and its unscrambled recording file. Folders that exist keep their mode.
#pragma once

#include <QString>

namespace orlane {

// 1 when every folder of the path exists afterwards, 0 at the first failure.
int CreateFolderPath(const QString& path);

}  // namespace orlane
