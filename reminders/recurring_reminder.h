// A reminder that recurs: its first occurrence (date and time key), an
// RFC 5545 recurrence rule, the dates it skips, and the note, media and
// markers every occurrence shares. Which occurrences have fired is recorded
// per occurrence; properties written by someone else are kept verbatim.
//
// The rules the editor and the command line offer (RecurRule) are a small
// part of what RRULE can say; they are built and read back through libical.
#pragma once

#include <QByteArray>
#include <QDate>
#include <optional>
#include <set>
#include <vector>

namespace orlane {

struct Reminder;

enum class RecurKind { Once, Daily, Weekdays, Weekly, Monthly, Yearly };

// Monday = bit 0 ... Sunday = bit 6, as QDate::dayOfWeek() - 1.
using WeekdayMask = unsigned;
inline constexpr WeekdayMask kMondayToFriday = 0x1F;

struct RecurRule {
  RecurKind kind = RecurKind::Once;
  int interval = 1;            // every N days, weeks, months or years
  WeekdayMask weekdays = 0;    // Weekly: the days; none means the start's weekday
  std::optional<QDate> until;  // the last day that may have an occurrence
  int count = 0;               // 0: no count; else the number of occurrences

  bool operator==(const RecurRule&) const = default;
};

// The RRULE text of a rule (never for Once: empty).
QByteArray BuildRRule(const RecurRule& rule);
// The rule an RRULE text says when it is one of the kinds above; nullopt for
// any other rule (it is kept and expanded, but the editor cannot show it).
std::optional<RecurRule> ReadRecurRule(const QByteArray& rrule);

struct RecurringReminder {
  QByteArray uid;
  QDate start;
  QByteArray timeKey;  // "HH:mm:ss" of every occurrence
  QByteArray rrule;    // the RRULE value, e.g. "FREQ=WEEKLY;BYDAY=MO,TH"
  std::set<QDate> skipped;
  QByteArray note;  // CR LF line breaks, as in a day file
  QByteArray media;
  bool active = true;
  bool repeat = false;
  // Occurrences fired: by their date; every one before firedBefore counts as fired.
  std::set<QDate> fired;
  QDate firedBefore;
  QByteArray stamp;                     // DTSTAMP as first written
  std::vector<QByteArray> otherLines;   // properties of others, as libical writes them
  std::vector<QByteArray> otherBlocks;  // components inside the event (alarms of others)

  bool operator==(const RecurringReminder&) const = default;

  bool hasFired(const QDate& date) const;
  // The day-file value an occurrence on date shows: active unless it fired.
  QByteArray occurrenceValue(const QDate& date) const;
  // Records the occurrence of date as fired; records older than oldest fold
  // into firedBefore, so the record stays small.
  void markFired(const QDate& date, const QDate& oldest);
};

// Fired records older than this many days fold into firedBefore: the
// missed-reminder scan looks back no further.
inline constexpr int kFiredRecordDays = 8;

// A new unique id for a series.
QByteArray NewRecurringUid();

// A new series of the reminder's note, media and markers, first due on start
// at timeKey. Occurrences before today count as fired: a series made today
// does not bring back the days before it as missed.
RecurringReminder NewSeries(const QDate& start, const QByteArray& timeKey, const QByteArray& rrule,
                            const Reminder& reminder, const QDate& today);

}  // namespace orlane
