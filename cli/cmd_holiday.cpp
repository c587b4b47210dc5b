#include "calendar/holiday_file.h"
#include "cli/commands.h"
#include "days/day_files.h"

namespace orlane::cli {

int RunHoliday(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 1) return context.usage(QStringLiteral("usage: orlanectl holiday DATE"));
  const std::optional<CalendarDate> date = context.parseDate(context.arg(0));
  if (!date) return kExitUsage;
  CliContext::print(GetHolidayText(date->year, date->month, date->day));
  return kExitOk;
}

}  // namespace orlane::cli
