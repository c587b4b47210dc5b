#include "reminders/snooze.h"

#include "days/day_files.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"

namespace orlane {

namespace {
// Two days of seconds: more than one day's worth of time keys.
constexpr int kSearchSeconds = 2 * 86400;
}  // namespace

std::optional<SnoozeSlot> PlaceSnoozed(std::time_t now, int minutes, const TimeKeyTaken& taken) {
  if (minutes < kSnoozeMinMinutes || minutes > kSnoozeMaxMinutes) return std::nullopt;
  const std::time_t first = now + static_cast<std::time_t>(minutes) * 60;
  for (std::time_t t = first; t < first + kSearchSeconds; ++t) {
    const std::tm local = LocalTm(t);
    const int year = local.tm_year + 1900;
    const int month = local.tm_mon + 1;
    const std::time_t fires = MakeLocalTime(year, month, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    if (fires < t) continue;
    SnoozeSlot slot{MakeDayKey(year, month, local.tm_mday), MakeTimeKey(local.tm_hour, local.tm_min, local.tm_sec),
                    fires};
    if (taken && taken(slot.dayKey, slot.timeKey)) continue;
    return slot;
  }
  return std::nullopt;
}

QByteArray SnoozedValue(const AlertRequest& alert) {
  Reminder r;
  r.media = alert.media;
  r.active = true;
  r.repeat = alert.repeat;
  r.note = alert.note;
  return BuildReminderValue(r);
}

SnoozeResult SnoozeReminder(ReminderStore& store, const AlertRequest& alert, int minutes, std::time_t now) {
  SnoozeResult result;
  const auto taken = [&store](const QString& dayKey, const QByteArray& timeKey) {
    store.refresh(dayKey);
    return store.day(dayKey).count(timeKey) > 0;
  };
  result.slot = PlaceSnoozed(now, minutes, taken);
  if (result.slot) result.saved = store.addAndWrite(result.slot->dayKey, result.slot->timeKey, SnoozedValue(alert));
  return result;
}

}  // namespace orlane
