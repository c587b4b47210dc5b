// Whole-file reading with a size bound, and the atomic writer every stored file
// goes through: temporary file in the same folder, write, fsync, rename over the
// old file, fsync the folder. When any step fails the old file stays as it was,
// the temporary file is removed and the result is WriteResult::Failed.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orlane {

enum class FileReadResult { Ok, Missing, Unreadable, TooLarge };

// What every writer of a stored file returns. It cannot be ignored: a failed
// write is told to the user (LastFileError() says why), or its caller says in
// a comment why it need not be.
// (The formatter misreads an attribute on an enum.)
// clang-format off
enum class [[nodiscard]] WriteResult { Written, Failed };
// clang-format on

inline constexpr qint64 kDefaultReadLimit = qint64(1) << 30;

// Reads the whole file into out. Files larger than maxBytes are refused.
FileReadResult ReadFileBytes(const QString& path, QByteArray& out, qint64 maxBytes = kDefaultReadLimit);

// Written when the file now holds exactly bytes, else Failed (old file untouched).
WriteResult AtomicWriteFile(const QString& path, QByteArrayView bytes);

// Removes a file that may be read-only; Written when it is gone afterwards.
WriteResult RemoveFileForced(const QString& path);

bool FileExists(const QString& path);

// Why the last AtomicWriteFile, RemoveFileForced or KeepFileCopy of this
// thread failed, in the system's words ("Permission denied").
QString LastFileError();

// Keeps the file's present content under a name of its own beside it: path +
// suffix, else path + suffix + "-2", "-3", ... (numbered from "-1" on when
// numbered is set); an existing copy is never replaced. Returns the name used,
// empty when no copy could be made.
QString KeepFileCopy(const QString& path, const QString& suffix, bool numbered = false);

// The steps of an atomic write, for tests that make one of them fail
// (Services::failWriteStep).
enum class AtomicWriteStep { Create, Write, Sync, Rename };

}  // namespace orlane
