// Any bytes as an unscrambled recurring file: parse, expand every series over
// a year, write the set and read it back; what was read must read again.
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::RecurringSet set;
  if (orlane::ParseRecurringFile(bytes, set) != orlane::RecurringLoadResult::Ok) return 0;
  for (const orlane::RecurringReminder& series : set.series) {
    orlane::OccurrencesIn(series, QDate(2026, 1, 1), QDate(2026, 12, 31));
    orlane::ReadRecurRule(series.rrule);
  }
  orlane::RecurringSet again;
  if (orlane::ParseRecurringFile(orlane::SerializeRecurringFile(set), again) != orlane::RecurringLoadResult::Ok)
    std::abort();
  return 0;
}
