#include "cli/commands.h"
#include "days/day_files.h"

namespace orlane::cli {

int RunDayKey(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 1) return context.usage(QStringLiteral("usage: orlanectl daykey DATE"));
  const std::optional<CalendarDate> date = context.parseDate(context.arg(0));
  if (!date) return kExitUsage;
  CliContext::print(MakeDayKey(date->year, date->month, date->day));
  return kExitOk;
}

}  // namespace orlane::cli
