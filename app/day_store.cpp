#include "app/day_store.h"

#include "days/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "reminders/reminder_store.h"
#include "security/scramble.h"

#include <utility>

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
  rtf = UnwrapPasswordHeader(std::move(bytes));
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
  const bool unchanged = loaded.diarySignature.unchangedIn(FileSignatureOf(path));
  // A page edited back to what was loaded may already be on disk as it is.
  const bool mayBeOnDisk = unchanged && loaded.diary == DiaryPageState::Shown && loaded.diaryRtf == content.diaryRtf;
  if ((!unchanged || mayBeOnDisk) && ReadFileBytes(path, now, kDiaryReadLimit) != FileReadResult::Ok) now.clear();
  const bool underThisPassword = !now.isEmpty() && CheckPasswordHeader(now, password) == PasswordHeaderCheck::Matches;
  if (!unchanged && !now.isEmpty() && !underThisPassword) {
    result.diaryProtected = true;
    return;
  }
  if (content.diaryEmpty && loaded.diary == DiaryPageState::None) return;
  // The file holds this very page under this password (it came back to it,
  // or another writer saved the same): a write would change nothing.
  if (!content.diaryEmpty && underThisPassword && UnwrapsTo(now, content.diaryRtf)) {
    loaded.diary = DiaryPageState::Shown;
    loaded.diaryRtf = content.diaryRtf;
    loaded.diarySignature = FileSignatureOf(path);
    result.diaryAlreadyOnDisk = true;
    return;
  }
  // Another writer saved the page since the load: both versions stay.
  const bool otherVersion =
      !unchanged && !now.isEmpty() && (loaded.diary != DiaryPageState::Shown || !UnwrapsTo(now, loaded.diaryRtf));
  if (otherVersion) {
    result.conflictKeptAs = KeepFileCopy(path, QStringLiteral(".conflict"), true);
    if (result.conflictKeptAs.isEmpty()) return NoteFailure(result, path);
    // Kept once: a retry after a failed write finds nothing new.
    loaded.diary = DiaryPageState::Shown;
    loaded.diaryRtf = UnwrapPasswordHeader(now);
    loaded.diarySignature = FileSignatureOf(path);
  }
  if (content.diaryEmpty) {
    const bool existed = FileExists(path);
    if (RemoveFileForced(path) != WriteResult::Written) return NoteFailure(result, path);
    result.diaryDeleted = existed;
    loaded.diary = DiaryPageState::None;
    loaded.diaryRtf.clear();
    loaded.diarySignature = {};
    return;
  }
  if (AtomicWriteFile(path, WrapWithPasswordHeader(content.diaryRtf, password)) != WriteResult::Written)
    return NoteFailure(result, path);
  result.diaryWritten = true;
  loaded.diary = DiaryPageState::Shown;
  loaded.diaryRtf = content.diaryRtf;
  loaded.diarySignature = FileSignatureOf(path);
}

void SaveReminders(const QString& dayKey, ReminderStore& store, DaySaveResult& result) {
  const ReminderSaveResult saved = store.save(dayKey);
  result.remindersWritten = saved.written;
  result.remindersMerged = saved.merged;
  result.remindersProtected = saved.protectedFile;
  result.damagedKeptAs = saved.damagedKeptAs;
  if (saved.failed) {
    result.failed = true;
    result.failures.push_back({saved.failedPath, saved.reason});
  }
}
}  // namespace

LoadedDay LoadDay(const QString& dayKey, const QByteArray& password) {
  LoadedDay day;
  day.dayKey = dayKey;
  const QString path = DayFilePath(dayKey, DayFileKind::Diary);
  day.diarySignature = FileSignatureOf(path);
  day.diary = ReadDiaryPage(path, password, day.diaryRtf);
  return day;
}

DaySaveResult SaveDay(LoadedDay& loaded, const DayContent& content, const QByteArray& password,
                      ReminderStore& reminders) {
  DaySaveResult result;
  if (loaded.dayKey.isEmpty()) return result;
  SaveDiary(loaded, content, password, result);
  SaveReminders(loaded.dayKey, reminders, result);
  return result;
}

bool RefreshLoadedPage(LoadedDay& loaded, bool diaryModified, const QByteArray& password) {
  if (loaded.dayKey.isEmpty() || diaryModified) return false;  // a modified page: the save keeps both versions
  const QString path = DayFilePath(loaded.dayKey, DayFileKind::Diary);
  const FileSignature signature = FileSignatureOf(path);
  if (loaded.diarySignature.unchangedIn(signature)) return false;
  QByteArray rtf;
  const DiaryPageState state = ReadDiaryPage(path, password, rtf);
  loaded.diarySignature = signature;
  // A page the editor could not show completely is still the same page.
  const bool sameState =
      state == loaded.diary || (state == DiaryPageState::Shown && loaded.diary == DiaryPageState::Unreadable);
  if (sameState && rtf == loaded.diaryRtf) return false;
  loaded.diary = state;
  loaded.diaryRtf = rtf;
  return true;
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
