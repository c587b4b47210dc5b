#include "app/day_store.h"

#include "app/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "security/scramble.h"

#include <QFile>

namespace orlane {

namespace {
constexpr qint64 kDiaryReadLimit = qint64(512) << 20;

DiaryPageState ReadDiaryPage(const QString& path, const QByteArray& password, QByteArray& rtf) {
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kDiaryReadLimit)) {
    case FileReadResult::Missing: return DiaryPageState::None;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return DiaryPageState::Unreadable;
    case FileReadResult::Ok: break;
  }
  switch (CheckPasswordHeader(bytes, password)) {
    case PasswordHeaderCheck::TooShort: return DiaryPageState::Unreadable;
    case PasswordHeaderCheck::OtherPassword: return DiaryPageState::OtherPassword;
    case PasswordHeaderCheck::Matches: break;
  }
  rtf = UnwrapPasswordHeader(bytes);
  return DiaryPageState::Shown;
}

void SaveDiary(const LoadedDay& loaded, const DayContent& content, const QByteArray& password, DaySaveResult& result) {
  if (loaded.diary == DiaryPageState::OtherPassword || loaded.diary == DiaryPageState::Unreadable) {
    result.diaryProtected = true;
    return;
  }
  const QString path = DayFilePath(loaded.dayKey, DayFileKind::Diary);
  // The file may have changed since the load (the command line imports pages):
  // a page that is not ours now is left alone, and nothing is deleted that
  // was not there when the day was loaded.
  QByteArray now;
  if (ReadFileBytes(path, now, kDiaryReadLimit) == FileReadResult::Ok &&
      CheckPasswordHeader(now, password) != PasswordHeaderCheck::Matches) {
    result.diaryProtected = true;
    return;
  }
  if (content.diaryEmpty && loaded.diary == DiaryPageState::None) return;
  if (content.diaryEmpty) {
    result.diaryDeleted = FileExists(path);
    if (RemoveFileForced(path) != 1) result.failed = true;
    return;
  }
  result.diaryWritten = AtomicWriteFile(path, WrapWithPasswordHeader(content.diaryRtf, password)) == 1;
  result.failed = result.failed || !result.diaryWritten;
}

void SaveReminders(const LoadedDay& loaded, const DayContent& content, DaySaveResult& result) {
  const QString path = DayFilePath(loaded.dayKey, DayFileKind::Reminders);
  const bool damaged = loaded.remindersResult == ReminderLoadResult::Damaged ||
                       loaded.remindersResult == ReminderLoadResult::Unreadable;
  if (damaged) {
    if (content.reminders == loaded.reminders) {
      result.remindersProtected = true;
      return;
    }
    // The user changed the day: keep the damaged original before replacing it.
    const QString keep = path + QStringLiteral(".damaged");
    if (!FileExists(keep) && !QFile::copy(path, keep)) {
      result.remindersProtected = true;
      result.failed = true;
      return;
    }
  }
  result.remindersWritten = SaveReminderDay(path, content.reminders) == 1;
  result.failed = result.failed || !result.remindersWritten;
}
}  // namespace

LoadedDay LoadDay(const QString& dayKey, const QByteArray& password) {
  LoadedDay day;
  day.dayKey = dayKey;
  day.diary = ReadDiaryPage(DayFilePath(dayKey, DayFileKind::Diary), password, day.diaryRtf);
  day.remindersResult = LoadReminderDay(DayFilePath(dayKey, DayFileKind::Reminders), day.reminders);
  return day;
}

DaySaveResult SaveDay(const LoadedDay& loaded, const DayContent& content, const QByteArray& password) {
  DaySaveResult result;
  if (loaded.dayKey.isEmpty()) return result;
  SaveDiary(loaded, content, password, result);
  SaveReminders(loaded, content, result);
  return result;
}

const char* DateFormatPattern(int dateFormat) {
  switch (dateFormat) {
    case 1: return "%d-%m-%Y";
    case 2: return "%Y-%m-%d";
    default: return "%m-%d-%Y";
  }
}

QString ReminderStatusMessage(int count, std::time_t date, int dateFormat, const QString& holiday) {
  return QStringLiteral("You have %1 reminders on %2 %3.")
      .arg(count)
      .arg(FormatLocalTime(DateFormatPattern(dateFormat), date), holiday);
}

}  // namespace orlane
