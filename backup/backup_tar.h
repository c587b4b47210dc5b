// The tar layer of a backup (libarchive, POSIX pax): a writer that streams
// folders and files to a sink, and a reader that streams entries from a source
// of plaintext to a sink. The reader accepts only what the writer makes:
// relative names without "." or ".." parts, folders and regular files, each
// name once; anything else is a damaged archive.
#pragma once

#include "backup/backup_result.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <functional>

struct archive;

namespace orlane {

struct BackupReport {
  BackupResult result = BackupResult::Done;
  QString detail;
  bool ok() const { return result == BackupResult::Done; }
};

struct TarEntry {
  QString name;  // relative, '/'-separated
  bool folder = false;
  qint64 size = 0;
  qint64 modified = 0;  // seconds since the epoch
};

class TarWriter final {
 public:
  using Sink = std::function<bool(QByteArrayView bytes)>;

  explicit TarWriter(Sink sink);
  ~TarWriter();
  TarWriter(const TarWriter&) = delete;
  TarWriter& operator=(const TarWriter&) = delete;

  bool begin(const TarEntry& entry);
  bool write(QByteArrayView data);
  // Writes the end of the archive.
  bool close();
  QString error() const;

 private:
  static std::ptrdiff_t OnWrite(archive* a, void* self, const void* data, size_t size);

  Sink sink_;
  archive* archive_ = nullptr;
};

class TarEntrySink {
 public:
  virtual ~TarEntrySink() = default;
  virtual BackupResult begin(const TarEntry& entry) = 0;
  virtual BackupResult data(QByteArrayView bytes) = 0;
  virtual BackupResult end() = 0;
};

// Hands out the archive's plaintext piece by piece; an empty view (with Done)
// means the end, any other result an error that ends the reading.
using PlainSource = std::function<BackupResult(QByteArrayView& plain)>;

// Reads every entry to the end of the source; Damaged names the entry.
BackupReport ReadTarEntries(const PlainSource& source, TarEntrySink& sink);

// True for a name the reader accepts ("a/b.alm"; not "/a", "a/../b", "").
bool IsSafeEntryName(const QString& name);

}  // namespace orlane
