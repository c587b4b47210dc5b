#include "calendar/holiday_file.h"

#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/services.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <sys/stat.h>

#include <map>
#include <mutex>

namespace orlane {

namespace {

// One year's file as last read, and what the disk said about it then.
struct CachedYear {
  QString path;
  qint64 size = -1;
  qint64 mtimeNs = -1;
  QByteArray bytes;
};

struct FileStamp {
  bool exists = false;
  qint64 size = 0;
  qint64 mtimeNs = 0;
};

FileStamp StampOf(const QString& path) {
  struct stat st {};
  const QByteArray native = QFile::encodeName(path);
  if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  return {true, static_cast<qint64>(st.st_size),
          static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace

// The holiday files read so far, by year, with what the disk said of each.
class HolidayCache {
 public:
  QByteArray TextOf(int year) {
    const QString name = HolidayFileName(year);
    std::lock_guard<std::mutex> lock(mutex_);
    if (folders_.isEmpty()) folders_ = HolidayLookupFolders();
    CachedYear& entry = years_[year];
    for (const QString& folder : folders_) {
      const QString path = folder + name;
      const FileStamp stamp = StampOf(path);
      if (!stamp.exists) continue;
      if (entry.path != path || entry.size != stamp.size || entry.mtimeNs != stamp.mtimeNs) Load(entry, path, stamp);
      return entry.bytes;
    }
    entry = CachedYear{};
    return {};
  }

  void Forget() {
    std::lock_guard<std::mutex> lock(mutex_);
    years_.clear();
    folders_.clear();
  }

 private:
  static void Load(CachedYear& entry, const QString& path, const FileStamp& stamp) {
    entry.path = path;
    entry.size = stamp.size;
    entry.mtimeNs = stamp.mtimeNs;
    entry.bytes.clear();
    if (ReadFileBytes(path, entry.bytes, kMaxHolidayFileBytes) != FileReadResult::Ok) entry.bytes.clear();
  }

  std::mutex mutex_;
  std::map<int, CachedYear> years_;
  QStringList folders_;
};

namespace {

std::shared_ptr<HolidayCache> Cache() {
  return MadeService(&Services::holidays);
}

void AddFolder(QStringList& folders, const QString& folder) {
  const QString f = WithTrailingSlash(folder);
  if (!folders.contains(f)) folders << f;
}

}  // namespace

QString HolidayFileName(int year) {
  return QStringLiteral("Holidays_%1.bin").arg(year);
}

QString HolidayDownloadFolder() {
  const QString forced = qEnvironmentVariable("ORLANE_HOLIDAY_DIR");
  if (!forced.isEmpty()) return WithTrailingSlash(forced);
  // An installed program's folder is the system's bin folder: never written,
  // not even when the program runs as root.
  const QFileInfo program(ProgramFolder());
  if (InstalledDataFolder().isEmpty() && program.isDir() && program.isWritable()) return ProgramFolder();
  return WritableDataFolder();
}

QStringList HolidayLookupFolders() {
  QStringList folders{HolidayDownloadFolder()};
  if (!qEnvironmentVariableIsEmpty("ORLANE_HOLIDAY_DIR")) return folders;
  for (const QString& folder : ProgramDataFolders()) AddFolder(folders, folder);
  AddFolder(folders, WritableDataFolder());
  return folders;
}

QString HolidayNameIn(QByteArrayView text, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return {};
  char key[6];
  key[0] = static_cast<char>('0' + month / 10);
  key[1] = static_cast<char>('0' + month % 10);
  key[2] = '/';
  key[3] = static_cast<char>('0' + day / 10);
  key[4] = static_cast<char>('0' + day % 10);
  key[5] = '\0';
  const qsizetype at = text.indexOf(QByteArrayView(key, 5));
  if (at < 0) return {};
  const qsizetype lineEnd = text.indexOf(QByteArrayView("\r\n"), at + 5);
  if (lineEnd < 0) return {};
  const qsizetype start = lineEnd + 2;
  qsizetype end = text.indexOf(QByteArrayView("\r\n"), start);
  if (end < 0) end = text.size();
  return DecodeHolidayText(text.sliced(start, end - start));
}

QString DecodeHolidayText(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes.data(), bytes.size());
}

QString GetHolidayText(int year, int month, int day) {
  const QByteArray text = Cache()->TextOf(year);
  if (text.isEmpty()) return {};
  return HolidayNameIn(text, month, day);
}

QString GetHolidayText(std::time_t date) {
  const LocalDate d = LocalDateOf(date);
  return GetHolidayText(d.year, d.month, d.day);
}

void ForgetHolidayFiles() {
  Cache()->Forget();
}

}  // namespace orlane
