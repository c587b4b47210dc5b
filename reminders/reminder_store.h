// ReminderStore: the one owner of reminder maps in memory and the only writer
// of reminder day files. Every reader (the editor, the scheduler, the missed
// scan, the calendar marks, the search, the desk widget, the command line)
// asks it for a day; the editor changes a day's map here as the user types,
// so what is on screen is what fires and what a save writes.
//
// For each day it holds two maps: the file as last read or written (the base)
// and the program's own (the base plus unsaved edits). A save writes the
// program's map when it differs from the base; before it writes, a file that
// another writer changed since (another size, identity or change time) is
// read again and merged by time key, so that writer's reminders are kept.
// A damaged file is kept beside itself before it is replaced, and only when
// the user changed that day.
//
// The recurring reminders are held the same way (base and own set, merged by
// series with another writer's file) and saved with any day. A day as it is
// shown and fires (shownDay) is its one-off reminders plus the occurrences
// of the series on that date; a one-off at the same second hides the
// occurrence. The day maps and files never hold occurrences.
#pragma once

#include "reminders/recurring_file.h"
#include "reminders/reminder_day.h"

#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace orlane {

struct ReminderSaveResult {
  bool written = false;        // the file now holds the day's reminders
  bool merged = false;         // another writer's reminders were merged in
  bool protectedFile = false;  // a damaged file left alone: nothing of the day changed
  QString damagedKeptAs;       // where the damaged original was kept
  bool failed = false;
  QString failedPath;
  QString reason;  // in the system's words
};

class ReminderStore final : public QObject {
  Q_OBJECT

 public:
  explicit ReminderStore(QObject* parent = nullptr) : QObject(parent) {}

  // The day's reminders as the program holds them, read from the file at the first ask.
  const ReminderMap& day(const QString& dayKey);
  // What the last read of the day's file found.
  ReminderLoadResult loadResult(const QString& dayKey);
  // Whether the day holds edits its file does not have.
  bool isModified(const QString& dayKey) const;
  // The day's map as its file held it at the last read or write.
  const ReminderMap& base(const QString& dayKey);

  // Edits of the program: emit remindersChanged(dayKey) when something changed.
  void setReminder(const QString& dayKey, const QByteArray& timeKey, const QByteArray& value);
  void removeReminder(const QString& dayKey, const QByteArray& timeKey);
  void setDay(const QString& dayKey, const ReminderMap& map);

  // Writes the day's file when the day holds edits (see above).
  ReminderSaveResult save(const QString& dayKey);
  // Takes over what another writer put into the day's file; the day's unsaved
  // edits stay on top. True when the day's reminders changed.
  bool refresh(const QString& dayKey);
  // Every day held: refresh; the days whose reminders changed.
  std::vector<QString> refreshAll();

  // The reminder fired: inactive here and in its file, which is rewritten at
  // once with only that change (the day's other unsaved edits stay unsaved).
  // Nothing is written into a damaged file: the reminder then comes again at
  // the next start. An occurrence is recorded as fired in the recurring file
  // the same way.
  void markFired(const QString& dayKey, const QByteArray& timeKey);
  // Adds a reminder here and writes its file at once with only that addition
  // (the day's other unsaved edits stay unsaved). A damaged file is not
  // written: the result says it failed and the reminder stays an edit.
  ReminderSaveResult addAndWrite(const QString& dayKey, const QByteArray& timeKey, const QByteArray& value);

  // The recurring reminders as the program holds them, read at the first ask.
  const RecurringSet& recurring();
  RecurringLoadResult recurringLoadResult();
  // The occurrences on the day that no one-off hides: time key -> value.
  ReminderMap occurrences(const QString& dayKey);
  // The day's one-off reminders and its occurrences.
  ReminderMap shownDay(const QString& dayKey);
  // Whether a series has an occurrence on the day; the day's file is not read.
  bool hasOccurrences(const QString& dayKey);
  // The series whose occurrence the day shows at timeKey; nullopt when none
  // (or a one-off reminder is there).
  std::optional<RecurringReminder> occurrenceAt(const QString& dayKey, const QByteArray& timeKey);
  // Edits of the series: a series of a new uid is added, one of a known uid
  // replaced. Every held day is told (remindersChanged).
  void setSeries(const RecurringReminder& series);
  void removeSeries(const QByteArray& uid);
  // The occurrence at timeKey of the day no longer comes (a skipped date).
  bool skipOccurrence(const QString& dayKey, const QByteArray& timeKey);
  bool isRecurringModified() const { return recurring_.loaded && recurring_.mine != recurring_.base; }
  // Writes the recurring file when the series hold edits; save(dayKey) does it too.
  ReminderSaveResult saveRecurring();

  // The day's unsaved edits are dropped: it is as its file was last seen.
  void discardEdits(const QString& dayKey);
  // Forgets a day that holds no edits (its file is read again at the next ask).
  void release(const QString& dayKey);

 Q_SIGNALS:
  void remindersChanged(const QString& dayKey);
  // The recurring reminders changed (edited, fired, taken from their file): any day may show others.
  void recurringChanged();
  // The store wrote or removed this file: a folder watch does not take it for another writer.
  void fileWritten(const QString& path);

 private:
  struct Day {
    ReminderMap base;
    ReminderMap mine;
    ReminderLoadResult result = ReminderLoadResult::Missing;
    FileSignature signature;  // of the file when base was taken
  };
  Day& held(const QString& dayKey);
  // Reads the file into base when it is not the one base was taken from;
  // mine follows by a three-way merge. True when mine changed.
  bool takeOverFile(const QString& dayKey, Day& day);
  void change(const QString& dayKey, Day& day, ReminderMap mine);

  struct Recurring {
    bool loaded = false;
    RecurringSet base;
    RecurringSet mine;
    RecurringLoadResult result = RecurringLoadResult::Missing;
    FileSignature signature;
  };
  Recurring& heldRecurring();
  bool takeOverRecurringFile();
  void changeRecurring(RecurringSet mine);
  void tellEveryDay();
  bool markOccurrenceFired(const QString& dayKey, const QByteArray& timeKey);

  std::map<QString, Day> days_;
  Recurring recurring_;
};

// The recurring set after a three-way merge by series uid, as MergeReminders does.
RecurringSet MergeRecurring(const RecurringSet& base, const RecurringSet& mine, const RecurringSet& theirs);

// The reminders after a three-way merge by time key: theirs (the file now),
// with every key mine changed since base (added, altered or removed) taken from mine.
ReminderMap MergeReminders(const ReminderMap& base, const ReminderMap& mine, const ReminderMap& theirs);

}  // namespace orlane
