#include "platform/week_rule.h"

#include <langinfo.h>
#include <clocale>
#include <cstdint>
#include <cstring>

namespace orlane {

namespace {
int DaysFromWeekStart(const QDate& date, Qt::DayOfWeek firstDay) {
  return (date.dayOfWeek() - static_cast<int>(firstDay) + 7) % 7;
}

QDate FirstDayOfWeekOne(int year, const WeekRule& rule) {
  const QDate january1(year, 1, 1);
  const int before = DaysFromWeekStart(january1, rule.firstDay);
  const QDate start = january1.addDays(-before);
  // The week that holds 1 January has 7 - before of its days in the year.
  return 7 - before >= rule.minDaysInFirstWeek ? start : start.addDays(7);
}

const char* DayName(Qt::DayOfWeek day) {
  static const char* const kNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
  return kNames[static_cast<int>(day) - 1];
}
}  // namespace

int WeekOfYear(const QDate& date, const WeekRule& rule) {
  if (!date.isValid()) return 0;
  int year = date.year();
  if (date >= FirstDayOfWeekOne(year + 1, rule))
    ++year;
  else if (date < FirstDayOfWeekOne(year, rule))
    --year;
  return static_cast<int>(FirstDayOfWeekOne(year, rule).daysTo(date) / 7) + 1;
}

QString WeekRuleName(const WeekRule& rule) {
  if (rule == kIsoWeekRule) return QStringLiteral("ISO 8601");
  const QString from = QStringLiteral("weeks from %1, ").arg(QLatin1String(DayName(rule.firstDay)));
  if (rule.minDaysInFirstWeek <= 1) return from + QStringLiteral("week 1 holds 1 January");
  if (rule.minDaysInFirstWeek >= 7) return from + QStringLiteral("week 1 is the first full week");
  return from + QStringLiteral("week 1 has at least %1 days of the year").arg(rule.minDaysInFirstWeek);
}

WeekRule WeekRuleFromLocaleData(int referenceDay, int firstWeekday, int minDays) {
  const QDate reference(referenceDay / 10000, referenceDay / 100 % 100, referenceDay % 100);
  if (!reference.isValid() || firstWeekday < 1 || firstWeekday > 7 || minDays < 1 || minDays > 7) return kIsoWeekRule;
  const int day = (reference.dayOfWeek() - 1 + firstWeekday - 1) % 7 + 1;
  return {static_cast<Qt::DayOfWeek>(day), minDays};
}

WeekRule LocaleWeekRule() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  const bool plain =
      !name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 || std::strncmp(name, "C.", 2) == 0;
  if (plain) return kIsoWeekRule;
  // The C library hands these out as a pointer whose value is the number.
  const auto reference = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_TIME_WEEK_1STDAY)));
  const int firstWeekday = static_cast<unsigned char>(*nl_langinfo(_NL_TIME_FIRST_WEEKDAY));
  const int minDays = static_cast<unsigned char>(*nl_langinfo(_NL_TIME_WEEK_1STWEEK));
  return WeekRuleFromLocaleData(reference, firstWeekday, minDays);
}

}  // namespace orlane
