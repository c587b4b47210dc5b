// The occurrences of a recurring reminder, expanded by libical's recurrence
// iterator from its first occurrence. Times are local wall-clock times like
// the day files' time keys, so a change of daylight time moves nothing.
#pragma once

#include "reminders/recurring_reminder.h"

#include <QByteArray>
#include <QDate>
#include <vector>

namespace orlane {

struct Occurrence {
  QDate date;
  QByteArray timeKey;

  bool operator==(const Occurrence&) const = default;
};

// A rule finer than a day (hourly and below) or one that cannot be read has
// no occurrences: its event is kept, not expanded.
bool IsExpandable(const RecurringReminder& series);

// The occurrences on the days from..to (inclusive), skipped dates left out,
// in time order. Without a rule the first occurrence alone.
std::vector<Occurrence> OccurrencesIn(const RecurringReminder& series, const QDate& from, const QDate& to);
std::vector<Occurrence> OccurrencesOn(const RecurringReminder& series, const QDate& day);

}  // namespace orlane
