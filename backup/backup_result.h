// What a backup operation ended with. The library shows nothing; the caller
// the user waits for shows BackupResultMessage().
#pragma once

#include <QString>

namespace orlane {

enum class BackupResult {
  Done,
  Cancelled,
  WrongPassphrase,     // the key check of the archive failed
  NotABackup,          // no archive header, or one this version cannot read
  Damaged,             // altered or cut short: an entry fails authentication or parsing
  SourceUnreadable,    // a file of the user folder could not be read
  TargetNotEmpty,      // restore: the folder exists and holds something
  TargetIsUserFolder,  // restore: the folder is (inside) the live user folder
  ReadFailed,          // the archive file could not be read
  WriteFailed,         // the archive or a restored file could not be written
};

// One line in the program's words; detail names the file or the system's reason.
QString BackupResultMessage(BackupResult result, const QString& detail = {});

}  // namespace orlane
