// The main window's bottom line, rebuilt every second: "[" + holiday + "! "
// (when there is one) + long date ". " + HH:MM + "] " + the status message.
#pragma once

#include "platform/week_rule.h"

#include <QString>
#include <ctime>

namespace orlane {

QString TitleLineText(std::time_t now, const QString& holiday, const QString& status);

// The "Clock" box text: time, long date, day of year, week of year (by the
// rule of the session's locale, named after the number), zone.
QString ClockInfoText(std::time_t now);
QString ClockInfoText(std::time_t now, const WeekRule& rule);

// The status after late reminders were skipped:
// "Skipped 3 reminders more than 12 hours late."
QString SkippedRemindersMessage(int count, int hours);

// The strftime pattern of the date format setting: "%m-%d-%Y", "%d-%m-%Y"
// or "%Y-%m-%d".
const char* DateFormatPattern(int dateFormat);

}  // namespace orlane
