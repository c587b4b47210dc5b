#include "days/title_line.h"

#include "platform/local_time.h"

namespace orlane {

QString TitleLineText(std::time_t now, const QString& holiday, const QString& status) {
  const QString clock = FormatLocalTime("%#x. %H:%M] ", now);
  const QString head = holiday.isEmpty() ? QStringLiteral("[") : QStringLiteral("[") + holiday + QStringLiteral("! ");
  return head + clock + status;
}

QString SkippedRemindersMessage(int count, int hours) {
  return QStringLiteral("Skipped %1 %2 more than %3 %4 late.")
      .arg(count)
      .arg(count == 1 ? QStringLiteral("reminder") : QStringLiteral("reminders"))
      .arg(hours)
      .arg(hours == 1 ? QStringLiteral("hour") : QStringLiteral("hours"));
}

const char* DateFormatPattern(int dateFormat) {
  switch (dateFormat) {
    case 1: return "%d-%m-%Y";
    case 2: return "%Y-%m-%d";
    default: return "%m-%d-%Y";
  }
}

QString ClockInfoText(std::time_t now) {
  return ClockInfoText(now, LocaleWeekRule());
}

QString ClockInfoText(std::time_t now, const WeekRule& rule) {
  const LocalDate d = LocalDateOf(now);
  const int week = WeekOfYear(QDate(d.year, d.month, d.day), rule);
  return FormatLocalTime("%H:%M:%S\r\n%#x\r\nDay of year: %j\r\n", now) +
         QStringLiteral("Week of year: %1 (%2)\r\n").arg(week, 2, 10, QLatin1Char('0')).arg(WeekRuleName(rule)) +
         FormatLocalTime("Time zone: %z", now);
}

}  // namespace orlane
