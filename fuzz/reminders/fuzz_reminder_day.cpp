// Any bytes as an unscrambled reminder day: parse, then a complete parse must
// serialise and parse back to the same map.
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::ReminderMap map;
  const orlane::ReminderLoadResult r = orlane::ParseReminderDay(bytes, map);
  for (const auto& [key, value] : map) {
    orlane::TimeKeySeconds(key);
    const orlane::Reminder reminder = orlane::ParseReminderValue(value);
    orlane::MediaKindOf(reminder.media);
  }
  if (r == orlane::ReminderLoadResult::Ok) {
    orlane::ReminderMap again;
    if (orlane::ParseReminderDay(orlane::SerializeReminderDay(map), again) != orlane::ReminderLoadResult::Ok ||
        again != map)
      std::abort();
  }
  return 0;
}
