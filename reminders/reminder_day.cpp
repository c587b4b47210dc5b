#include "reminders/reminder_day.h"

#include "platform/archive.h"
#include "platform/file_io.h"
#include "security/scramble.h"

namespace orlane {

namespace {
// Years of notes fit easily; a file beyond this is not a reminder file.
constexpr qint64 kReminderDayReadLimit = qint64(64) << 20;
}  // namespace

ReminderLoadResult ParseReminderDay(const QByteArray& plain, ReminderMap& map) {
  ArchiveReader in(plain);
  std::uint32_t count = 0;
  if (!in.readCount(count)) return ReminderLoadResult::Damaged;
  for (std::uint32_t i = 0; i < count; ++i) {
    QByteArray key;
    QByteArray value;
    if (!in.readString(key) || !in.readString(value)) return ReminderLoadResult::Damaged;
    map.insert_or_assign(std::move(key), std::move(value));
  }
  return ReminderLoadResult::Ok;
}

ReminderLoadResult LoadReminderDay(const QString& path, ReminderMap& map) {
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kReminderDayReadLimit)) {
    case FileReadResult::Missing: return ReminderLoadResult::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return ReminderLoadResult::Unreadable;
    case FileReadResult::Ok: break;
  }
  UnscrambleBytes(bytes.data(), bytes.size());
  return ParseReminderDay(bytes, map);
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
