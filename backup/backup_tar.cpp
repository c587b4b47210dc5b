#include "backup/backup_tar.h"

#include <QSet>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace orlane {

namespace {
constexpr qsizetype kMaxNameBytes = 1024;

struct EntryDeleter {
  void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};
using EntryPtr = std::unique_ptr<archive_entry, EntryDeleter>;

struct ReaderDeleter {
  void operator()(archive* a) const { archive_read_free(a); }
};

// What libarchive reads from: the plaintext source, with its first error kept.
struct ReadClient {
  const PlainSource* source = nullptr;
  BackupResult failure = BackupResult::Done;
  bool ended = false;
};

la_ssize_t OnRead(archive* /*a*/, void* client, const void** buffer) {
  auto* reader = static_cast<ReadClient*>(client);
  QByteArrayView plain;
  if (reader->ended) return 0;
  const BackupResult result = (*reader->source)(plain);
  if (result != BackupResult::Done) {
    reader->failure = result;
    return -1;
  }
  if (plain.isEmpty()) reader->ended = true;
  *buffer = plain.data();
  return static_cast<la_ssize_t>(plain.size());
}

QString EntryName(archive_entry* entry) {
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return QString::fromUtf8(utf8);
  if (const char* raw = archive_entry_pathname(entry)) return QString::fromLocal8Bit(raw);
  return {};
}
}  // namespace

bool IsSafeEntryName(const QString& name) {
  if (name.isEmpty() || name.toUtf8().size() > kMaxNameBytes || name.startsWith(QLatin1Char('/'))) return false;
  QString trimmed = name;
  if (trimmed.endsWith(QLatin1Char('/'))) trimmed.chop(1);
  for (const QString& part : trimmed.split(QLatin1Char('/')))
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") || part.contains(QChar(0)))
      return false;
  return true;
}

TarWriter::TarWriter(Sink sink) : sink_(std::move(sink)), archive_(archive_write_new()) {
  archive_write_set_format_pax_restricted(archive_);
  archive_write_set_bytes_in_last_block(archive_, 1);
  archive_write_open2(archive_, this, nullptr, &TarWriter::OnWrite, nullptr, nullptr);
}

TarWriter::~TarWriter() {
  archive_write_free(archive_);
}

std::ptrdiff_t TarWriter::OnWrite(archive* /*a*/, void* self, const void* data, size_t size) {
  auto* writer = static_cast<TarWriter*>(self);
  const QByteArrayView bytes(static_cast<const char*>(data), static_cast<qsizetype>(size));
  return writer->sink_(bytes) ? static_cast<std::ptrdiff_t>(size) : -1;
}

bool TarWriter::begin(const TarEntry& entry) {
  const EntryPtr header(archive_entry_new());
  const QByteArray name = entry.name.toUtf8();
  archive_entry_set_pathname_utf8(header.get(), name.constData());
  archive_entry_set_filetype(header.get(), entry.folder ? AE_IFDIR : AE_IFREG);
  archive_entry_set_perm(header.get(), entry.folder ? 0700 : 0600);
  archive_entry_set_size(header.get(), entry.folder ? 0 : entry.size);
  archive_entry_set_mtime(header.get(), static_cast<time_t>(entry.modified), 0);
  return archive_write_header(archive_, header.get()) == ARCHIVE_OK;
}

bool TarWriter::write(QByteArrayView data) {
  while (!data.isEmpty()) {
    const la_ssize_t written = archive_write_data(archive_, data.data(), static_cast<size_t>(data.size()));
    if (written <= 0) return false;
    data = data.sliced(written);
  }
  return true;
}

bool TarWriter::close() {
  return archive_write_close(archive_) == ARCHIVE_OK;
}

QString TarWriter::error() const {
  const char* text = archive_error_string(archive_);
  return text ? QString::fromLocal8Bit(text) : QString();
}

BackupReport ReadTarEntries(const PlainSource& source, TarEntrySink& sink) {
  ReadClient client{&source};
  const std::unique_ptr<archive, ReaderDeleter> reader(archive_read_new());
  archive_read_support_format_tar(reader.get());
  auto damaged = [&](const QString& detail) {
    if (client.failure != BackupResult::Done) return BackupReport{client.failure, detail};
    return BackupReport{BackupResult::Damaged, detail};
  };
  if (archive_read_open(reader.get(), &client, nullptr, &OnRead, nullptr) != ARCHIVE_OK) return damaged({});

  QSet<QString> seen;
  for (;;) {
    archive_entry* header = nullptr;
    const int next = archive_read_next_header(reader.get(), &header);
    if (next == ARCHIVE_EOF) break;
    if (next != ARCHIVE_OK) return damaged({});
    TarEntry entry;
    entry.name = EntryName(header);
    const auto type = archive_entry_filetype(header);
    entry.folder = type == AE_IFDIR;
    if (entry.folder && entry.name.endsWith(QLatin1Char('/'))) entry.name.chop(1);
    if (!IsSafeEntryName(entry.name) || (type != AE_IFDIR && type != AE_IFREG) || seen.contains(entry.name) ||
        archive_entry_size(header) < 0)
      return damaged(entry.name);
    seen.insert(entry.name);
    entry.size = entry.folder ? 0 : archive_entry_size(header);
    entry.modified = archive_entry_mtime(header);
    if (const BackupResult begun = sink.begin(entry); begun != BackupResult::Done) return {begun, entry.name};

    qint64 done = 0;
    for (;;) {
      const void* block = nullptr;
      size_t size = 0;
      la_int64_t offset = 0;
      const int read = archive_read_data_block(reader.get(), &block, &size, &offset);
      if (read == ARCHIVE_EOF) break;
      // Sparse holes never come from the writer.
      if (read != ARCHIVE_OK || offset != done) return damaged(entry.name);
      done += static_cast<qint64>(size);
      const BackupResult taken =
          sink.data(QByteArrayView(static_cast<const char*>(block), static_cast<qsizetype>(size)));
      if (taken != BackupResult::Done) return {taken, entry.name};
    }
    if (done != entry.size) return damaged(entry.name);
    if (const BackupResult ended = sink.end(); ended != BackupResult::Done) return {ended, entry.name};
  }
  // What follows the end blocks must still be read: the final tag is checked
  // only when the source reaches its end.
  while (!client.ended) {
    QByteArrayView rest;
    const BackupResult result = source(rest);
    if (result != BackupResult::Done) return {result, {}};
    if (rest.isEmpty()) break;
  }
  return {};
}

}  // namespace orlane
