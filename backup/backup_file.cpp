#include "backup/backup_file.h"

#include "backup/backup_crypto.h"
#include "platform/file_io.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace orlane {

namespace {
constexpr qint64 kReadBlock = 1 << 16;

struct SourceEntry {
  TarEntry entry;
  QString path;
};

// The folder's files and folders in name order; links and special files are
// not part of a user folder and are left out. skip is the backup itself.
std::vector<SourceEntry> ListFolder(const QString& folder, const QString& skip, qint64& totalBytes) {
  std::vector<SourceEntry> list;
  const QDir root(folder);
  const QString skipName = QFileInfo(skip).fileName();
  QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    if (info.isSymLink() || (!info.isDir() && !info.isFile())) continue;
    if (info.fileName() == skipName && info.canonicalFilePath() == skip) continue;
    SourceEntry source;
    source.path = info.absoluteFilePath();
    source.entry.name = root.relativeFilePath(source.path);
    source.entry.folder = info.isDir();
    source.entry.size = source.entry.folder ? 0 : info.size();
    source.entry.modified = info.lastModified().toSecsSinceEpoch();
    totalBytes += source.entry.size;
    list.push_back(std::move(source));
  }
  std::sort(list.begin(), list.end(),
            [](const SourceEntry& a, const SourceEntry& b) { return a.entry.name < b.entry.name; });
  return list;
}

BackupResult CopyFileInto(const SourceEntry& source, TarWriter& tar, qint64& done, qint64 total,
                          const BackupProgress& progress) {
  QFile file(source.path);
  if (!file.open(QIODevice::ReadOnly)) return BackupResult::SourceUnreadable;
  if (!tar.begin(source.entry)) return BackupResult::WriteFailed;
  QByteArray block(kReadBlock, Qt::Uninitialized);
  qint64 left = source.entry.size;
  while (left > 0) {
    const qint64 got = file.read(block.data(), std::min(left, kReadBlock));
    // A file that shrank since it was listed cannot fill its entry.
    if (got <= 0) return BackupResult::SourceUnreadable;
    if (!tar.write(QByteArrayView(block.constData(), got))) return BackupResult::WriteFailed;
    left -= got;
    done += got;
    if (progress && !progress(done, total)) return BackupResult::Cancelled;
  }
  return BackupResult::Done;
}

// Where the restored entries go: a temporary folder that is renamed into
// place only when every entry came through, so its files are written plainly
// and synced together before the rename.
class RestoreSink final : public TarEntrySink {
 public:
  explicit RestoreSink(QString root) : root_(std::move(root)) {}
  BackupResult begin(const TarEntry& entry) override {
    const QString path = root_ + QLatin1Char('/') + entry.name;
    if (entry.folder) return QDir().mkpath(path) ? BackupResult::Done : BackupResult::WriteFailed;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return BackupResult::WriteFailed;
    file_ = std::make_unique<QFile>(path);
    modified_ = entry.modified;
    // O_EXCL: an entry never lands on what another entry made.
    return file_->open(QIODevice::WriteOnly | QIODevice::NewOnly) ? BackupResult::Done : BackupResult::WriteFailed;
  }
  BackupResult data(QByteArrayView bytes) override {
    return file_ && file_->write(bytes.data(), bytes.size()) == bytes.size() ? BackupResult::Done
                                                                             : BackupResult::WriteFailed;
  }
  BackupResult end() override {
    if (!file_) return BackupResult::Done;
    const bool written = file_->flush() && file_->setFileTime(QDateTime::fromSecsSinceEpoch(modified_),
                                                              QFileDevice::FileModificationTime);
    file_->close();
    const bool closed = file_->error() == QFileDevice::NoError;
    file_.reset();
    return written && closed ? BackupResult::Done : BackupResult::WriteFailed;
  }

 private:
  QString root_;
  qint64 modified_ = 0;
  std::unique_ptr<QFile> file_;
};

class DiscardSink final : public TarEntrySink {
 public:
  BackupResult begin(const TarEntry& /*entry*/) override { return BackupResult::Done; }
  BackupResult data(QByteArrayView /*bytes*/) override { return BackupResult::Done; }
  BackupResult end() override { return BackupResult::Done; }
};

BackupReport ReadBackup(const QString& path, QByteArrayView passphrase, TarEntrySink& sink,
                        const BackupProgress& progress) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {BackupResult::ReadFailed, file.errorString()};
  const qint64 total = file.size();
  BackupOpener opener;
  if (const BackupResult opened = opener.open(file, passphrase); opened != BackupResult::Done) return {opened, {}};
  const PlainSource source = [&](QByteArrayView& plain) {
    while (!opener.atEnd()) {
      if (progress && !progress(file.pos(), total)) return BackupResult::Cancelled;
      const BackupResult result = opener.next(plain);
      if (result != BackupResult::Done || !plain.isEmpty()) return result;
    }
    plain = {};
    return BackupResult::Done;
  };
  return ReadTarEntries(source, sink);
}

QString Canonical(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Starts the sealer (which derives or seals the stream key) with its sink.
using SealerStart = std::function<bool(BackupSealer&, BackupSealer::Sink)>;

BackupReport WriteBackup(const QString& userFolder, const QString& file, const SealerStart& startSealer,
                         const BackupProgress& progress) {
  const QString target = QFileInfo(file).absoluteFilePath();
  if (!QFileInfo(userFolder).isDir()) return {BackupResult::SourceUnreadable, userFolder};
  qint64 total = 0;
  const std::vector<SourceEntry> entries = ListFolder(userFolder, Canonical(target), total);

  AtomicFileStream out;
  if (out.open(target) != WriteResult::Written)
    return {BackupResult::WriteFailed, target + QStringLiteral(": ") + LastFileError()};
  const auto write = [&](QByteArrayView sealed) { return out.write(sealed) == WriteResult::Written; };
  const auto writeFailed = [&] {
    return BackupReport{BackupResult::WriteFailed, target + QStringLiteral(": ") + LastFileError()};
  };
  BackupSealer sealer;
  if (!startSealer(sealer, write)) return writeFailed();
  TarWriter tar([&](QByteArrayView plain) { return sealer.append(plain); });
  qint64 done = 0;
  if (progress && !progress(done, total)) return {BackupResult::Cancelled, {}};
  for (const SourceEntry& source : entries) {
    if (source.entry.folder) {
      if (!tar.begin(source.entry)) return writeFailed();
      continue;
    }
    const BackupResult copied = CopyFileInto(source, tar, done, total, progress);
    if (copied == BackupResult::WriteFailed) return writeFailed();
    if (copied != BackupResult::Done) return {copied, source.path};
  }
  if (!tar.close() || !sealer.finish() || out.commit() != WriteResult::Written) return writeFailed();
  return {};
}
}  // namespace

BackupReport CreateBackup(const QString& userFolder, const QString& file, QByteArrayView passphrase,
                          const BackupProgress& progress, const BackupKdfCost& cost) {
  return WriteBackup(
      userFolder, file,
      [&](BackupSealer& sealer, BackupSealer::Sink sink) { return sealer.start(passphrase, cost, std::move(sink)); },
      progress);
}

BackupReport CreateBackup(const QString& userFolder, const QString& file, const BackupPublicKey& key,
                          const BackupProgress& progress) {
  return WriteBackup(
      userFolder, file,
      [&](BackupSealer& sealer, BackupSealer::Sink sink) { return sealer.start(key, std::move(sink)); }, progress);
}

BackupReport VerifyBackup(const QString& file, QByteArrayView passphrase, const BackupProgress& progress) {
  DiscardSink sink;
  return ReadBackup(file, passphrase, sink, progress);
}

BackupReport RestoreBackup(const QString& file, const QString& folder, const QString& liveUserFolder,
                           QByteArrayView passphrase, const BackupProgress& progress) {
  const QString target = Canonical(folder);
  const QString live = Canonical(liveUserFolder);
  if (!liveUserFolder.isEmpty() && (target == live || target.startsWith(live + QLatin1Char('/'))))
    return {BackupResult::TargetIsUserFolder, folder};
  const QFileInfo targetInfo(target);
  if (targetInfo.exists() && (!targetInfo.isDir() || !QDir(target).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                                           QDir::Hidden | QDir::System)))
    return {BackupResult::TargetNotEmpty, folder};
  const QString parent = targetInfo.absolutePath();
  if (!QFileInfo(parent).isDir()) return {BackupResult::WriteFailed, parent + QStringLiteral(": no such folder")};

  QTemporaryDir temporary(parent + QStringLiteral("/.") + targetInfo.fileName() + QStringLiteral(".restore-XXXXXX"));
  if (!temporary.isValid()) return {BackupResult::WriteFailed, temporary.errorString()};
  RestoreSink sink(temporary.path());
  BackupReport read = ReadBackup(file, passphrase, sink, progress);
  if (!read.ok()) return read;
  if (!SyncFileSystemOf(temporary.path()))
    return {BackupResult::WriteFailed,
            temporary.path() + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno))};
  // rename() replaces an empty folder in one step.
  const QByteArray from = QFile::encodeName(temporary.path());
  const QByteArray to = QFile::encodeName(target);
  if (::rename(from.constData(), to.constData()) != 0)
    return {BackupResult::WriteFailed, target + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno))};
  temporary.setAutoRemove(false);
  SyncFolderEntries(parent);
  return {};
}

}  // namespace orlane
