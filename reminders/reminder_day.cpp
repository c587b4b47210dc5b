#include "reminders/reminder_day.h"

#include "platform/archive.h"
#include "platform/file_io.h"
#include "security/scramble.h"

namespace orlane {

namespace {
// Years of notes fit easily; a file beyond this is not a reminder file.
constexpr qint64 kReminderDayReadLimit = qint64(64) << 20;
}  // namespace

ReminderDayReader::ReminderDayReader(QByteArrayView plain) : in_(plain) {
  damaged_ = !in_.readCount(left_);
}

bool ReminderDayReader::read(QByteArrayView& out) {
  QByteArray converted;
  if (!in_.readStringView(out, converted)) {
    damaged_ = true;
    return false;
  }
  // A moved array keeps its bytes where they are, so out stays valid.
  if (!converted.isNull()) converted_.push_back(std::move(converted));
  return true;
}

bool ReminderDayReader::next(QByteArrayView& key, QByteArrayView& value) {
  if (damaged_ || left_ == 0 || !read(key) || !read(value)) return false;
  --left_;
  return true;
}

ReminderLoadResult ParseReminderDay(const QByteArray& plain, ReminderMap& map) {
  ReminderDayReader day(plain);
  for (QByteArrayView key, value; day.next(key, value);) map.insert_or_assign(key.toByteArray(), value.toByteArray());
  return day.result();
}

ReminderLoadResult ReadReminderDay(const QString& path, QByteArray& plain) {
  switch (ReadFileBytes(path, plain, kReminderDayReadLimit)) {
    case FileReadResult::Missing: return ReminderLoadResult::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return ReminderLoadResult::Unreadable;
    case FileReadResult::Ok: break;
  }
  UnscrambleBytes(plain.data(), plain.size());
  return ReminderLoadResult::Ok;
}

ReminderLoadResult LoadReminderDay(const QString& path, ReminderMap& map) {
  QByteArray bytes;
  const ReminderLoadResult read = ReadReminderDay(path, bytes);
  return read == ReminderLoadResult::Ok ? ParseReminderDay(bytes, map) : read;
}

QByteArray SerializeReminderDay(const ReminderMap& map) {
  QByteArray out;
  ArchiveWriter w(out);
  w.writeCount(static_cast<std::uint32_t>(map.size()));
  for (const auto& [key, value] : map) {
    w.writeString(key);
    w.writeString(value);
  }
  return out;
}

WriteResult SaveReminderDay(const QString& path, const ReminderMap& map) {
  if (map.empty()) return RemoveFileForced(path);
  QByteArray bytes = SerializeReminderDay(map);
  ScrambleBytes(bytes.data(), bytes.size());
  return AtomicWriteFile(path, bytes);
}

}  // namespace orlane
