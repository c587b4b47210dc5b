#include "days/date_format.h"

namespace orlane {

QString DatePickerFormat(int dateFormat) {
  switch (dateFormat) {
    case 1: return QStringLiteral("dd/MM/yyyy");
    case 2: return QStringLiteral("yyyy/MM/dd");
    default: return QStringLiteral("MM/dd/yyyy");
  }
}

const char* ShortDateFormat(int dateFormat) {
  switch (dateFormat) {
    case 1: return "%d/%m/%y";
    case 2: return "%y/%m/%d";
    default: return "%m/%d/%y";
  }
}

Qt::DayOfWeek FirstDayOfWeek(int weekStart) {
  return weekStart == 2 ? Qt::Monday : Qt::Sunday;
}

}  // namespace orlane
