// The recurring reminders of the user folder: one iCalendar document
// ("recurring.dat") of VEVENTs, scrambled like a reminder day file and
// written atomically. Older versions do not know the file and leave it alone;
// the day files never hold occurrences.
//
// Per event: UID, DTSTAMP, DTSTART (floating local time), RRULE, one EXDATE
// per skipped date, SUMMARY (the note's first line), DESCRIPTION (the note),
// X-ORLANE-MEDIA, X-ORLANE-ACTIVE, X-ORLANE-REPEAT, X-ORLANE-FIRED (dates of
// fired occurrences), X-ORLANE-FIRED-BEFORE, and a display VALARM at the start.
// Whatever else the document holds (other properties, components, events this
// program cannot expand) is written back as it was read.
#pragma once

#include "platform/file_io.h"
#include "reminders/recurring_reminder.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace orlane {

struct RecurringSet {
  std::vector<RecurringReminder> series;
  std::vector<QByteArray> otherLines;   // properties of the calendar beyond VERSION and PRODID
  std::vector<QByteArray> otherBlocks;  // components kept as they were read

  bool operator==(const RecurringSet&) const = default;

  RecurringReminder* find(const QByteArray& uid);
  const RecurringReminder* find(const QByteArray& uid) const;
};

enum class RecurringLoadResult { Ok, Missing, Unreadable, Damaged };

QString RecurringFilePath();

// Damaged: the text is not an iCalendar document; set is then empty.
RecurringLoadResult ParseRecurringFile(const QByteArray& plainText, RecurringSet& set);
QByteArray SerializeRecurringFile(const RecurringSet& set);

RecurringLoadResult LoadRecurringFile(const QString& path, RecurringSet& set);
// The unscrambled text of the file (empty unless Ok), for ParseRecurringFile.
RecurringLoadResult ReadRecurringFile(const QString& path, QByteArray& plainText);
// An empty set removes the file.
WriteResult SaveRecurringFile(const QString& path, const RecurringSet& set);

}  // namespace orlane
