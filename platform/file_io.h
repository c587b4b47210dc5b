// Whole-file reading with a size bound, and the atomic writer every stored file
// goes through: temporary file in the same folder, write, fsync, rename over the
// old file, fsync the folder. When any step fails the old file stays as it was,
// the temporary file is removed and the result is WriteResult::Failed.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/types.h>

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

// The atomic writer for a file too large to hold in memory: open() creates the
// temporary file beside path, write() appends, commit() syncs it and renames it
// over path. A stream destroyed without a successful commit() removes its
// temporary file, so path never holds a partial file.
class AtomicFileStream final {
 public:
  AtomicFileStream() = default;
  ~AtomicFileStream();
  AtomicFileStream(const AtomicFileStream&) = delete;
  AtomicFileStream& operator=(const AtomicFileStream&) = delete;

  WriteResult open(const QString& path);
  WriteResult write(QByteArrayView bytes);
  WriteResult commit();
  // The temporary file's name while the stream is open.
  QString temporaryPath() const { return QFile::decodeName(tempPath_); }

 private:
  WriteResult abandon();

  int fd_ = -1;
  mode_t mode_ = 0600;
  QByteArray finalPath_;
  QByteArray folder_;
  QByteArray tempPath_;
};

// Removes a file that may be read-only; Written when it is gone afterwards.
WriteResult RemoveFileForced(const QString& path);

bool FileExists(const QString& path);
// The paths (folder + '/' + name) of the folder's files as QDir::Files lists
// them (regular files and links to them, hidden ones left out), in the order
// of their names as strings compare them.
// The kind comes from the folder listing; an entry is looked at only when it
// is a link or the listing does not tell.
QStringList FilePathsIn(const QString& folder);

// What tells, without reading it, that a file is still the one seen before:
// its identity, size and change time. The file system keeps change times in
// coarse steps, so a write in the same step as the look would go unseen: a
// signature vouches for its file only when the change time lay clearly before
// the look ("racily clean" otherwise, and the file is read again).
struct FileSignature {
  bool exists = false;
  quint64 device = 0;
  quint64 inode = 0;
  qint64 size = 0;
  qint64 changedNs = 0;  // the change time (ctime), set by every write and rename
  qint64 takenNs = 0;    // when the signature was taken

  // True when now shows the same file unchanged since this signature was taken.
  bool unchangedIn(const FileSignature& now) const;
};
FileSignature FileSignatureOf(const QString& path);

// Makes a rename of an entry of folder durable (fsync of the folder itself).
void SyncFolderEntries(const QString& folder);
// Flushes everything written to the file system that holds folder (one call
// for many files, instead of an fsync each); false when that failed.
bool SyncFileSystemOf(const QString& folder);

// Why the last AtomicWriteFile, RemoveFileForced or KeepFileCopy of this
// thread failed, in the system's words ("Permission denied").
QString LastFileError();

// Keeps the file's present content under a name of its own beside it: path +
// suffix, else path + suffix + "-2", "-3", ... (numbered from "-1" on when
// numbered is set); an existing copy is never replaced. Returns the name used,
// empty when no copy could be made.
QString KeepFileCopy(const QString& path, const QString& suffix, bool numbered = false);
// The same for bytes that are not in the file: kept beside it under the
// first free name of that pattern (another writer's version of the file).
QString KeepBytesBeside(const QString& path, const QString& suffix, QByteArrayView bytes, bool numbered = false);

// The steps of an atomic write, for tests that make one of them fail
// (Services::failWriteStep).
enum class AtomicWriteStep { Create, Write, Sync, Rename };

}  // namespace orlane
