// AlertQueue: due reminders waiting to be shown, each then in an alert window
// of its own that blocks nothing: the main window stays usable, and a
// reminder due while another alert is open shows at its own second. Windows
// open from the event loop, never from inside the tick that found them due,
// and only while the gate says so (no save or load runs); closing one in any
// order reports that reminder once.
#pragma once

#include "reminders/alarm_scheduler.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>

namespace orlane {

class CReminderAlertDlg;

class AlertQueue final : public QObject {
  Q_OBJECT

 public:
  explicit AlertQueue(QObject* parent = nullptr);
  ~AlertQueue() override;
  Q_DISABLE_COPY_MOVE(AlertQueue)

  void setTheme(int theme) { theme_ = theme; }
  // The minutes Snooze offers at first in each reminder's window.
  void setSnoozeMinutes(int minutes) { snoozeMinutes_ = minutes; }
  // Whether a window may open now; false puts it off to the next turn of the event loop.
  void setGate(std::function<bool()> mayOpen) { mayOpen_ = std::move(mayOpen); }

  void enqueue(const AlertRequest& alert);
  QList<CReminderAlertDlg*> openWindows() const;
  int waiting() const { return static_cast<int>(waiting_.size()); }
  // Closes every open alert (the program ends): each is reported as closed.
  void closeAll();

 Q_SIGNALS:
  void opened(CReminderAlertDlg* window, const AlertRequest& alert);
  void closed(const AlertRequest& alert);
  // The user snoozed the reminder (closed() follows).
  void snoozed(const AlertRequest& alert, int minutes);

 private:
  void schedule();
  void process();
  void open(const AlertRequest& alert);

  std::deque<AlertRequest> waiting_;
  QList<QPointer<CReminderAlertDlg>> open_;
  std::function<bool()> mayOpen_;
  int theme_ = 0;
  int snoozeMinutes_ = 5;
  bool scheduled_ = false;
};

}  // namespace orlane
