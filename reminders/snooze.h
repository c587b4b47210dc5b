// Snooze: a reminder shown in an alert comes back as a new one-off active
// reminder of the same media, repeat flag and note, N minutes later. The slot
// is the local second of now + N minutes, or the next free second after it
// when that time key is taken; past midnight it belongs to the next day.
#pragma once

#include "reminders/alarm_scheduler.h"
#include "reminders/reminder_store.h"

#include <QByteArray>
#include <QString>
#include <ctime>
#include <functional>
#include <optional>

namespace orlane {

inline constexpr int kSnoozeMinMinutes = 1;
inline constexpr int kSnoozeMaxMinutes = 1440;

struct SnoozeSlot {
  QString dayKey;
  QByteArray timeKey;
  std::time_t due = 0;  // when the scheduler fires the key

  bool operator==(const SnoozeSlot&) const = default;
};

using TimeKeyTaken = std::function<bool(const QString& dayKey, const QByteArray& timeKey)>;

// The first second at or after now + minutes whose time key is free and fires
// no earlier than that second (in the repeated hour after a change back from
// daylight time a key names its first pass, which has gone by then). Nothing
// when minutes is out of range or no second of the next two days is free.
std::optional<SnoozeSlot> PlaceSnoozed(std::time_t now, int minutes, const TimeKeyTaken& taken);

// The snoozed reminder's value: the alert's media, repeat flag and note, active.
QByteArray SnoozedValue(const AlertRequest& alert);

struct SnoozeResult {
  std::optional<SnoozeSlot> slot;  // empty: no slot was found, nothing changed
  ReminderSaveResult saved;
};

// Places the snoozed reminder and writes it into its day file at once.
SnoozeResult SnoozeReminder(ReminderStore& store, const AlertRequest& alert, int minutes, std::time_t now);

}  // namespace orlane
