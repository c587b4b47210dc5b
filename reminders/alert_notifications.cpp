#include "reminders/alert_notifications.h"

#include "platform/program_info.h"
#include "reminders/alert_dlg.h"
#include "reminders/alert_queue.h"

namespace orlane {

namespace {
// The installed icon and desktop entry are both named after the program's binary.
const QString kIconName = QStringLiteral("orlane");
const QString kSnoozeKey = QStringLiteral("snooze");
const QString kDismissKey = QStringLiteral("dismiss");
// Servers send this key for a click on the notification itself.
const QString kDefaultKey = QStringLiteral("default");

// "08:30:00" of "Reminder active - 08:30:00", "2006-01-02 08:30:00" of a missed one.
QString WhenOf(const QString& title) {
  const QString separator = QStringLiteral(" - ");
  const qsizetype at = title.indexOf(separator);
  return at < 0 ? title : title.mid(at + separator.size());
}
}  // namespace

AlertAction AlertActionOfKey(const QString& key) {
  if (key == kSnoozeKey) return AlertAction::Snooze;
  if (key == kDismissKey) return AlertAction::Dismiss;
  if (key == kDefaultKey) return AlertAction::Show;
  return AlertAction::None;
}

AlertNotifications::AlertNotifications(AlertQueue& queue, QObject* parent) : QObject(parent) {
  connect(&queue, &AlertQueue::opened, this, &AlertNotifications::opened);
  connect(&notifier_, &DesktopNotifier::actionInvoked, this, &AlertNotifications::actionInvoked);
  connect(&notifier_, &DesktopNotifier::closed, this, &AlertNotifications::notificationClosed);
}

void AlertNotifications::opened(CReminderAlertDlg* window, const AlertRequest& alert) {
  if (!enabled_) return;
  const int token = nextToken_++;
  DesktopNotifier::Notification n;
  n.appName = QString::fromUtf8(kProgramTitle);
  n.icon = kIconName;
  n.desktopEntry = kIconName;
  n.summary = WhenOf(alert.title);
  n.body = window->Text();
  if (window->SnoozeOffered()) n.actions << kSnoozeKey << QStringLiteral("Snooze");
  n.actions << kDismissKey << QStringLiteral("Dismiss");
  n.critical = true;
  windows_[token] = window;
  connect(window, &QDialog::finished, this, [this, token] {
    windows_.erase(token);
    notifier_.close(token);
  });
  notifier_.show(token, n);
}

CReminderAlertDlg* AlertNotifications::windowOf(int token) const {
  const auto found = windows_.find(token);
  return found == windows_.end() ? nullptr : found->second.data();
}

void AlertNotifications::actionInvoked(int token, const QString& key) {
  CReminderAlertDlg* window = windowOf(token);
  if (!window) return;
  switch (AlertActionOfKey(key)) {
    case AlertAction::Snooze: window->Snooze(); break;
    case AlertAction::Dismiss: window->reject(); break;
    case AlertAction::Show:
      window->raise();
      window->activateWindow();
      break;
    case AlertAction::None: break;
  }
}

void AlertNotifications::notificationClosed(int token, NotificationCloseReason reason) {
  // A server that lets the notification expire has not been answered by the person.
  if (reason != NotificationCloseReason::Dismissed) return;
  if (CReminderAlertDlg* window = windowOf(token)) window->reject();
}

}  // namespace orlane
