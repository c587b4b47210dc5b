#include "app/reminder_options.h"

#include "platform/app_paths.h"
#include "platform/clock.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/alert_queue.h"
#include "reminders/snooze.h"

namespace orlane {

namespace {
QString OptionsPath() {
  return UserFilePath(kExtraSettingsFileName);
}
}  // namespace

ReminderOptions::ReminderOptions(ReminderStore& store, AlertQueue& alerts, AlarmScheduler& scheduler, QObject* parent)
    : QObject(parent), store_(store), alerts_(alerts), scheduler_(scheduler), notifications_(alerts) {
  connect(&alerts_, &AlertQueue::snoozed, this, &ReminderOptions::snooze);
  apply();
}

void ReminderOptions::read() {
  settings_ = ExtraSettings{};
  // A file that cannot be read gives the defaults for this run; it is never replaced unread.
  ReadExtraSettingsFile(OptionsPath(), settings_);
  written_ = settings_;
  apply();
}

bool ReminderOptions::change(const ExtraSettings& edited) {
  settings_ = edited;
  apply();
  return SaveExtraSettingsChange(OptionsPath(), written_, settings_) == WriteResult::Written;
}

void ReminderOptions::apply() {
  alerts_.setSnoozeMinutes(settings_.integer(QStringLiteral("snooze_minutes")));
  notifications_.setEnabled(settings_.flag(QStringLiteral("notifications")));
  scheduler_.setLateCancelHours(settings_.integer(QStringLiteral("late_cancel_hours")));
}

void ReminderOptions::snooze(const AlertRequest& alert, int minutes) {
  const SnoozeResult result = SnoozeReminder(store_, alert, minutes, NowSeconds());
  if (!result.slot) {
    Q_EMIT failed(QStringLiteral("The reminder could not be snoozed: no free second was found."));
  } else if (result.saved.failed) {
    Q_EMIT failed(QStringLiteral("The snoozed reminder could not be saved.\n%1: %2")
                      .arg(result.saved.failedPath, result.saved.reason));
  }
}

}  // namespace orlane
