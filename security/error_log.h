// The error log "ErrorMsg.txt": one "[date time] message\r\n" line per technical
// failure (registry, folder creation). It never grows much past 40 KB: a log
// larger than 40,960 bytes is emptied before the next line. A failing log write
// is dropped; nothing here is shown to the user.
#pragma once

#include <QString>

namespace orlane {

inline constexpr qint64 kErrorLogResetSize = 40960;
inline constexpr int kErrorLogMessageLimit = 999;

void LogError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The install path + "ErrorMsg.txt". The install path is the "InstallPath" value
// of the program's registry key; without one the log lives in the writable data
// folder (a desktop program's current folder is no place for it).
QString ErrorLogPath();

}  // namespace orlane
