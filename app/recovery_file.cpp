#include "app/recovery_file.h"

#include "days/day_files.h"
#include "platform/archive.h"
#include "platform/file_io.h"
#include "security/scramble.h"

#include <QFile>

namespace orlane {

namespace {
constexpr char kTag[] = "Orlane recovery 1";
constexpr std::uint8_t kHasDiary = 1;
constexpr std::uint8_t kHasReminders = 2;
constexpr qint64 kMaxRecoveryBytes = qint64(512) << 20;

QString RecoveryPath() {
  return UserFilePath(kRecoveryFileName);
}

bool IsDayKeyText(const QString& key) {
  if (key.size() != 8) return false;
  for (const QChar c : key)
    if (!c.isDigit() && (c < QLatin1Char('a') || c > QLatin1Char('f'))) return false;
  return true;
}
}  // namespace

QByteArray SerializeRecovery(const RecoveryState& state, const QByteArray& password) {
  QByteArray body;
  ArchiveWriter out(body);
  out.writeString(kTag);
  out.writeString(state.dayKey.toLatin1());
  out.writeUInt8((state.diaryRtf ? kHasDiary : 0) | (state.reminders ? kHasReminders : 0));
  if (state.diaryRtf) out.writeString(*state.diaryRtf);
  if (state.reminders) out.writeString(SerializeReminderDay(*state.reminders));
  return WrapWithPasswordHeader(body, password);
}

std::optional<RecoveryState> ParseRecovery(const QByteArray& fileBytes, const QByteArray& password) {
  if (CheckPasswordHeader(fileBytes, password) != PasswordHeaderCheck::Matches) return std::nullopt;
  const QByteArray body = UnwrapPasswordHeader(fileBytes);
  ArchiveReader in(body);
  QByteArray tag, dayKey, diary, reminders;
  std::uint8_t parts = 0;
  if (!in.readString(tag) || tag != kTag || !in.readString(dayKey) || !in.readUInt8(parts)) return std::nullopt;
  RecoveryState state;
  state.dayKey = QString::fromLatin1(dayKey);
  if (!IsDayKeyText(state.dayKey)) return std::nullopt;
  if (parts & kHasDiary) {
    if (!in.readString(diary)) return std::nullopt;
    state.diaryRtf = diary;
  }
  if (parts & kHasReminders) {
    ReminderMap map;
    if (!in.readString(reminders) || ParseReminderDay(reminders, map) != ReminderLoadResult::Ok) return std::nullopt;
    state.reminders = std::move(map);
  }
  if (!in.atEnd() || state.empty()) return std::nullopt;
  return state;
}

std::optional<RecoveryState> ReadRecoveryFile(const QByteArray& password) {
  QByteArray bytes;
  if (ReadFileBytes(RecoveryPath(), bytes, kMaxRecoveryBytes) != FileReadResult::Ok) return std::nullopt;
  return ParseRecovery(bytes, password);
}

WriteResult WriteRecoveryFile(const RecoveryState& state, const QByteArray& password) {
  return AtomicWriteFile(RecoveryPath(), SerializeRecovery(state, password));
}

void RemoveRecoveryFile() {
  QFile::remove(RecoveryPath());
}

}  // namespace orlane
