// AlertNotifications: a desktop notification beside each alert window the
// queue opens: the program's name and icon, the reminder's time as summary,
// its note as body, urgency critical, and the actions Snooze and Dismiss,
// which do what the window's buttons do. Closing either closes the other.
// Switched off, or without a notification server, the windows show alone.
#pragma once

#include "platform/desktop_notifier.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>

namespace orlane {

class AlertQueue;
class CReminderAlertDlg;
struct AlertRequest;

enum class AlertAction { None, Snooze, Dismiss, Show };
// What an action key of the notification asks; keys of other programs are None.
AlertAction AlertActionOfKey(const QString& key);

class AlertNotifications final : public QObject {
  Q_OBJECT

 public:
  explicit AlertNotifications(AlertQueue& queue, QObject* parent = nullptr);
  Q_DISABLE_COPY_MOVE(AlertNotifications)

  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }

 private:
  void opened(CReminderAlertDlg* window, const AlertRequest& alert);
  void actionInvoked(int token, const QString& key);
  void notificationClosed(int token, NotificationCloseReason reason);
  CReminderAlertDlg* windowOf(int token) const;

  DesktopNotifier notifier_;
  std::map<int, QPointer<CReminderAlertDlg>> windows_;
  int nextToken_ = 1;
  bool enabled_ = true;
};

}  // namespace orlane
