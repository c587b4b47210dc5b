// The one mapping between what the user folder holds and iCalendar (RFC 5545)
// through libical: used by the export, the import and the calendar sync, one
// item per calendar resource.
//
// A reminder (one-off, at a day and time key) is a VEVENT:
//   UID, DTSTAMP, DTSTART at the day and time (local time: TZID of the
//   system's zone, whose VTIMEZONE the calendar carries; floating when the
//   system's zone is unknown to libical), SUMMARY the note's first line or
//   "Reminder", DESCRIPTION the whole note, X-ORLANE-MEDIA, X-ORLANE-ACTIVE
//   ("1"/"0"), X-ORLANE-REPEAT ("1"/"0"), and a VALARM ACTION:DISPLAY with
//   TRIGGER at the start.
// A series (a recurring reminder) is the same VEVENT with its RRULE, one
// EXDATE per skipped date and the fired records (X-ORLANE-FIRED,
// X-ORLANE-FIRED-BEFORE); what others wrote into it is kept.
// A diary page is a VJOURNAL: UID, DTSTAMP, DTSTART;VALUE=DATE of its day,
// SUMMARY the first line, DESCRIPTION the page as plain text, and
// X-ORLANE-RTF the stored RTF in base64, so a page that comes back unchanged
// is byte for byte the page that left. A page whose DESCRIPTION was edited
// elsewhere comes back as that plain text.
//
// Reading takes what other programs write too:
//   - VEVENT with a time: a reminder at the time its first VALARM fires
//     (DTSTART when it has none), converted to local time; all-day (a DATE):
//     09:00:00 of the day; with RRULE a series (EXDATEs kept);
//   - VTODO: like an event, at its DUE (DTSTART when it has no DUE);
//   - VJOURNAL: a diary page of its day (plain text becomes RTF);
//   - VTIMEZONE is used, not counted; every other component, and an item
//     that cannot be placed (no date, a rule finer than a day), is listed in
//     skipped with the reason. Nothing is dropped without a word.
// A foreign event's note is its SUMMARY, followed by its DESCRIPTION on the
// next lines when that says more; it is active, with the beep when its alarm
// is ACTION:AUDIO.
//
// Pure logic (QtCore, QtGui's text document for RTF); no window, no files.
#pragma once

#include "reminders/recurring_reminder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace orlane {

enum class IcalItemKind { Reminder, Series, DiaryPage };

struct IcalItem {
  IcalItemKind kind = IcalItemKind::Reminder;
  QByteArray uid;            // the component's UID (for Series: series.uid)
  QString dayKey;            // Reminder, DiaryPage: the day ("%04x%02x%02x")
  QByteArray timeKey;        // Reminder: "HH:mm:ss" local time
  QByteArray value;          // Reminder: the day-file value (media, markers, CR LF, note)
  RecurringReminder series;  // Series
  QByteArray rtf;            // DiaryPage: the page's RTF (without the password header)
  // Read from a component another program wrote (no X-ORLANE- state):
  // its reminder was made from SUMMARY/DESCRIPTION and its alarm.
  bool foreign = false;

  bool operator==(const IcalItem&) const = default;
};

// Stable UIDs of the program's own items: the same day and time (or day)
// always gives the same UID, so an export written twice names the same things.
QByteArray ReminderUid(const QString& dayKey, const QByteArray& timeKey);
QByteArray DiaryPageUid(const QString& dayKey);

// The items; an empty uid takes the stable one above.
IcalItem MakeReminderItem(const QString& dayKey, const QByteArray& timeKey, const QByteArray& value,
                          const QByteArray& uid = {});
IcalItem MakeSeriesItem(const RecurringReminder& series);
IcalItem MakeDiaryPageItem(const QString& dayKey, const QByteArray& rtf, const QByteArray& uid = {});

// One complete VCALENDAR text (VERSION, PRODID, the VTIMEZONE its times
// need, the one component) of the item: one CalDAV resource.
QByteArray IcalItemText(const IcalItem& item);
// The items in one VCALENDAR, in the order given (the export).
QByteArray IcalCalendarText(const std::vector<IcalItem>& items);

// What a text held that could not be taken, and why (in the program's words).
struct IcalSkipped {
  QByteArray component;  // "VFREEBUSY", "X-FOO", "VEVENT", ...
  QByteArray uid;        // its UID when it had one
  QString reason;
};

struct IcalReadResult {
  bool isCalendar = false;  // false: the text is not an iCalendar document (nothing read)
  std::vector<IcalItem> items;
  std::vector<IcalSkipped> skipped;
};

// Every item of one VCALENDAR text (or of several concatenated ones). A
// VEVENT with RECURRENCE-ID (one changed occurrence) is a one-off reminder,
// and the series of its UID in the same text skips that occurrence's date.
// Hostile text never crashes: it gives isCalendar false or skipped entries.
IcalReadResult ReadIcalItems(QByteArrayView text);

// The page's visible text as the VJOURNAL's DESCRIPTION holds it (pictures left out).
QString PagePlainText(QByteArrayView rtf);
inline constexpr char kIcalPageRtf[] = "X-ORLANE-RTF";

}  // namespace orlane
