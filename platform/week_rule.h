// How a calendar numbers the weeks of a year: the weekday a week starts on and
// how many of its days must lie in the new year for a week to be week 1. ISO
// 8601 is Monday and 4; the locale of the session may give another rule.
#pragma once

#include <QDate>
#include <QString>

namespace orlane {

struct WeekRule {
  Qt::DayOfWeek firstDay = Qt::Monday;
  int minDaysInFirstWeek = 4;  // 1: the week that holds 1 January; 7: the first full week

  bool operator==(const WeekRule&) const = default;
};

inline constexpr WeekRule kIsoWeekRule{Qt::Monday, 4};

// The week number of date under rule, 1 to 53. The days at the ends of a year
// may belong to a week of the year before or after.
int WeekOfYear(const QDate& date, const WeekRule& rule);

// The rule's name as the clock box shows it: "ISO 8601", or the first weekday
// and the first week, e.g. "weeks from Sunday, week 1 holds 1 January".
QString WeekRuleName(const WeekRule& rule);

// The rule of a locale from its week data (the C library's "week" and
// "first_weekday" of LC_TIME): the weekday of the reference day (yyyymmdd,
// Qt's numbering), first_weekday counted from that day (1 = that day), and
// the minimal days of week 1. Values out of range give ISO 8601.
WeekRule WeekRuleFromLocaleData(int referenceDay, int firstWeekday, int minDays);

// The rule of the session's LC_TIME locale. The C and POSIX locales keep no
// regional convention (their data is a placeholder): ISO 8601.
WeekRule LocaleWeekRule();

}  // namespace orlane
