// Moving one day between its day files and the program: what loading a day's
// diary page finds under the current password, and what saving the day writes
// or deletes (the page here, the reminders through the ReminderStore). Pure logic.
//
// A file is written only when its part of the day changed: the diary page when
// the user edited it, the reminders when they differ from what the day file
// held. Two guards keep a save from destroying what the load could not show: a
// diary page written under another password (or not a page of ours) is never
// overwritten or deleted, and a damaged reminder file is rewritten only when
// the reminders were changed, after its original was kept beside it under a
// name of its own.
//
// Other writers (the command line, a file-sync program) may change the day
// files while the day is loaded: what they wrote is taken over where the
// program changed nothing, reminders merge by time key, and a diary page both
// sides changed keeps the other side's version beside it. A file whose
// identity, size and change time are those seen at the load or the last write
// is taken as unchanged without reading it again.
#pragma once

#include "days/title_line.h"  // DateFormatPattern
#include "platform/file_io.h"
#include "reminders/reminder_day.h"

#include <QByteArray>
#include <QString>
#include <ctime>
#include <vector>

namespace orlane {

enum class DiaryPageState {
  None,           // no page for the day
  Shown,          // written under the current password
  OtherPassword,  // written under another password: not shown, never touched
  Unreadable      // there, but it cannot be read as a page: never touched
};

class ReminderStore;

struct LoadedDay {
  QString dayKey;
  DiaryPageState diary = DiaryPageState::None;
  QByteArray diaryRtf;           // the page when Shown
  FileSignature diarySignature;  // of the page's file when diaryRtf was taken
};

LoadedDay LoadDay(const QString& dayKey, const QByteArray& password);

// What the program holds of the loaded day's page when it saves.
struct DayContent {
  bool diaryModified = false;  // the user changed the page since its load or last save
  bool diaryEmpty = true;      // the editor's plain text is empty
  QByteArray diaryRtf;         // the editor's page as RTF (needed only when modified)
};

struct DaySaveFailure {
  QString path;
  QString reason;  // in the system's words
};

// What a save did; it cannot be ignored: a failed save is told to the user.
struct [[nodiscard]] DaySaveResult {
  bool diaryWritten = false;
  bool diaryAlreadyOnDisk = false;  // the file held the modified page as it is: nothing written
  bool diaryDeleted = false;
  bool diaryProtected = false;  // left alone: another password's page
  bool remindersWritten = false;
  bool remindersProtected = false;  // damaged file kept, nothing changed
  QString damagedKeptAs;            // where the damaged original was kept
  QString conflictKeptAs;           // the page another writer saved, kept beside ours
  bool remindersMerged = false;     // another writer's reminders were merged in
  bool failed = false;              // a file could not be written
  std::vector<DaySaveFailure> failures;
};

// Writes what changed: the page from content, the day's reminders from the
// store. loaded follows what is now on disk: a part that was written counts
// as loaded from it; a part that failed keeps its old state, so the next save
// tries it again.
DaySaveResult SaveDay(LoadedDay& loaded, const DayContent& content, const QByteArray& password,
                      ReminderStore& reminders);

// Brings the loaded page up to its file as it is now: taken over only when
// the program has not modified its copy, otherwise the save keeps the other
// version. True when the page changed.
bool RefreshLoadedPage(LoadedDay& loaded, bool diaryModified, const QByteArray& password);

// "This page was also changed elsewhere..." naming where the other version is.
QString DiaryConflictMessage(const QString& keptAs);

// "The day could not be saved." with each file and its reason.
QString DaySaveFailureMessage(const DaySaveResult& result);

// "You have %d reminders on %s %s." with the date in the user's format
// (0 mm-dd-yyyy, 1 dd-mm-yyyy, 2 yyyy-mm-dd) and the day's holiday.
QString ReminderStatusMessage(int count, std::time_t date, int dateFormat, const QString& holiday);

}  // namespace orlane
