// ReminderOptions: the additive settings ("OrlaneExtra.ini") as the running
// window holds them, and what they drive: the minutes Snooze offers, the
// desktop notification beside each alert, late-cancel in the scheduler; and
// what Snooze does (the snoozed reminder goes into its day file at once).
#pragma once

#include "days/extra_settings.h"
#include "reminders/alert_notifications.h"

#include <QObject>
#include <QString>

namespace orlane {

class AlarmScheduler;
class AlertQueue;
class ReminderStore;
struct AlertRequest;

class ReminderOptions final : public QObject {
  Q_OBJECT

 public:
  ReminderOptions(ReminderStore& store, AlertQueue& alerts, AlarmScheduler& scheduler, QObject* parent = nullptr);
  Q_DISABLE_COPY_MOVE(ReminderOptions)

  // Reads the file of the user folder (a missing one gives the defaults) and applies it.
  void read();
  const ExtraSettings& settings() const { return settings_; }
  // Takes over edited values and writes the file when that changes it. False
  // when it could not be written (the values still apply to this run).
  bool change(const ExtraSettings& edited);
  bool notificationsEnabled() const { return notifications_.enabled(); }

 Q_SIGNALS:
  // Something the user must be told (a snoozed reminder that could not be stored).
  void failed(const QString& message);

 private:
  void apply();
  void snooze(const AlertRequest& alert, int minutes);

  ReminderStore& store_;
  AlertQueue& alerts_;
  AlarmScheduler& scheduler_;
  AlertNotifications notifications_;
  ExtraSettings settings_;
  ExtraSettings written_;  // as read or last written: what the window changed is the rest
};

}  // namespace orlane
