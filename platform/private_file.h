// Appending to a file only this user may read, for data that grows piece by
// piece and is no stored format: the recording temp file, whose samples are
// not scrambled.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace orlane {

struct AppendResult {
  qint64 lengthBefore = -1;  // the file's length before the append; -1: not opened
  bool written = false;      // every byte reached the file
};

// Appends bytes to path, creating the file with mode 0600 (never wider, from
// its creation on); a file found with a wider mode is narrowed first.
AppendResult AppendToPrivateFile(const QString& path, QByteArrayView bytes);

}  // namespace orlane
