// The settings' date format (0 month/day/year, 1 day/month/year, 2
// year/month/day) and week start (1 Sunday, 2 Monday) as the date pickers
// and the widget's caption use them.
#pragma once

#include <QString>
#include <Qt>

namespace orlane {

// A Qt display format of a date picker: "MM/dd/yyyy", "dd/MM/yyyy" or
// "yyyy/MM/dd"; another value gives the first.
QString DatePickerFormat(int dateFormat);

// A strftime format of a date with a two-digit year in the order of the
// setting: "%m/%d/%y", "%d/%m/%y" or "%y/%m/%d".
const char* ShortDateFormat(int dateFormat);

// The weekday weeks start on: Monday for 2, else Sunday.
Qt::DayOfWeek FirstDayOfWeek(int weekStart);

}  // namespace orlane
