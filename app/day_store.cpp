#include "app/day_store.h"

#include "days/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "security/scramble.h"

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

void NoteFailure(DaySaveResult& result, const QString& path) {
  result.failed = true;
  result.failures.push_back({path, LastFileError()});
}

void SaveDiary(LoadedDay& loaded, const DayContent& content, const QByteArray& password, DaySaveResult& result) {
  if (loaded.diary == DiaryPageState::OtherPassword || loaded.diary == DiaryPageState::Unreadable) {
    result.diaryProtected = true;
    return;
  }
  // An unchanged page stays byte for byte as it is, whatever the editor could show of it.
  if (!content.diaryModified) return;
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
  // Another writer saved the page since the load: both versions stay.
  const bool otherVersion =
      !now.isEmpty() && (loaded.diary != DiaryPageState::Shown || UnwrapPasswordHeader(now) != loaded.diaryRtf);
  if (otherVersion) {
    result.conflictKeptAs = KeepFileCopy(path, QStringLiteral(".conflict"), true);
    if (result.conflictKeptAs.isEmpty()) return NoteFailure(result, path);
    // Kept once: a retry after a failed write finds nothing new.
    loaded.diary = DiaryPageState::Shown;
    loaded.diaryRtf = UnwrapPasswordHeader(now);
  }
  if (content.diaryEmpty) {
    const bool existed = FileExists(path);
    if (RemoveFileForced(path) != WriteResult::Written) return NoteFailure(result, path);
    result.diaryDeleted = existed;
    loaded.diary = DiaryPageState::None;
    loaded.diaryRtf.clear();
    return;
  }
  if (AtomicWriteFile(path, WrapWithPasswordHeader(content.diaryRtf, password)) != WriteResult::Written)
    return NoteFailure(result, path);
  result.diaryWritten = true;
  loaded.diary = DiaryPageState::Shown;
  loaded.diaryRtf = content.diaryRtf;
}

// The reminder file as another writer left it becomes the loaded state, and
// mine is merged with it. A file that cannot be read now tells nothing.
bool TakeOverDiskReminders(LoadedDay& loaded, ReminderMap& mine) {
  ReminderMap disk;
  const ReminderLoadResult now = LoadReminderDay(DayFilePath(loaded.dayKey, DayFileKind::Reminders), disk);
  if (now == ReminderLoadResult::Unreadable) return false;
  if (now == loaded.remindersResult && disk == loaded.reminders) return false;
  mine = MergeReminders(loaded.reminders, mine, disk);
  loaded.reminders = std::move(disk);
  loaded.remindersResult = now;
  return true;
}

void SaveReminders(LoadedDay& loaded, const DayContent& content, DaySaveResult& result) {
  const QString path = DayFilePath(loaded.dayKey, DayFileKind::Reminders);
  ReminderMap reminders = content.reminders;
  if (TakeOverDiskReminders(loaded, reminders)) {
    result.remindersMerged = true;
    result.reminders = reminders;
  }
  const bool damaged =
      loaded.remindersResult == ReminderLoadResult::Damaged || loaded.remindersResult == ReminderLoadResult::Unreadable;
  if (reminders == loaded.reminders) {
    result.remindersProtected = damaged;
    return;
  }
  if (damaged && FileExists(path)) {
    // The user changed the day: keep the damaged original before replacing it.
    result.damagedKeptAs = KeepFileCopy(path, QStringLiteral(".damaged"));
    if (result.damagedKeptAs.isEmpty()) {
      result.remindersProtected = true;
      return NoteFailure(result, path);
    }
  }
  if (SaveReminderDay(path, reminders) != WriteResult::Written) return NoteFailure(result, path);
  result.remindersWritten = true;
  loaded.reminders = reminders;
  loaded.remindersResult = reminders.empty() ? ReminderLoadResult::Missing : ReminderLoadResult::Ok;
}
}  // namespace

LoadedDay LoadDay(const QString& dayKey, const QByteArray& password) {
  LoadedDay day;
  day.dayKey = dayKey;
  day.diary = ReadDiaryPage(DayFilePath(dayKey, DayFileKind::Diary), password, day.diaryRtf);
  day.remindersResult = LoadReminderDay(DayFilePath(dayKey, DayFileKind::Reminders), day.reminders);
  return day;
}

DaySaveResult SaveDay(LoadedDay& loaded, const DayContent& content, const QByteArray& password) {
  DaySaveResult result;
  if (loaded.dayKey.isEmpty()) return result;
  SaveDiary(loaded, content, password, result);
  SaveReminders(loaded, content, result);
  return result;
}

ReminderMap MergeReminders(const ReminderMap& base, const ReminderMap& mine, const ReminderMap& disk) {
  ReminderMap merged = disk;
  const auto take = [&](const QByteArray& key) {
    const auto was = base.find(key);
    const auto is = mine.find(key);
    const bool edited = (was == base.end()) != (is == mine.end()) || (is != mine.end() && is->second != was->second);
    if (!edited) return;
    if (is == mine.end())
      merged.erase(key);
    else
      merged[key] = is->second;
  };
  for (const auto& entry : base) take(entry.first);
  for (const auto& entry : mine) take(entry.first);
  return merged;
}

DayRefresh RefreshLoadedDay(LoadedDay& loaded, ReminderMap& mine, bool diaryModified, const QByteArray& password) {
  DayRefresh changed;
  if (loaded.dayKey.isEmpty()) return changed;
  changed.reminders = TakeOverDiskReminders(loaded, mine);
  if (diaryModified) return changed;  // the save keeps both versions
  QByteArray rtf;
  const DiaryPageState state = ReadDiaryPage(DayFilePath(loaded.dayKey, DayFileKind::Diary), password, rtf);
  // A page the editor could not show completely is still the same page.
  const bool sameState =
      state == loaded.diary || (state == DiaryPageState::Shown && loaded.diary == DiaryPageState::Unreadable);
  if (sameState && rtf == loaded.diaryRtf) return changed;
  loaded.diary = state;
  loaded.diaryRtf = rtf;
  changed.diary = true;
  return changed;
}

QString DiaryConflictMessage(const QString& keptAs) {
  return QStringLiteral(
             "This page was also changed outside Orlane 2 while you edited it. Your version is saved; "
             "the other version is kept as\n") +
         keptAs;
}

QString DaySaveFailureMessage(const DaySaveResult& result) {
  QString text = QStringLiteral("The day could not be saved.");
  for (const DaySaveFailure& f : result.failures) text += QLatin1Char('\n') + f.path + QStringLiteral(": ") + f.reason;
  return text + QStringLiteral("\nYour changes are still here and will be saved at the next try.");
}

QString ReminderStatusMessage(int count, std::time_t date, int dateFormat, const QString& holiday) {
  return QStringLiteral("You have %1 reminders on %2 %3.")
      .arg(count)
      .arg(FormatLocalTime(DateFormatPattern(dateFormat), date), holiday);
}

}  // namespace orlane
