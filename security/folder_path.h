// Creates every missing folder of a path, one component at a time, and writes
// the first folder that cannot be made to the error log.
#pragma once

#include <QString>

namespace orlane {

// 1 when every folder of the path exists afterwards, 0 at the first failure.
int CreateFolderPath(const QString& path);

}  // namespace orlane
