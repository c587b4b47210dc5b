#include "reminders/alert_queue.h"

#include "controls/modal_responder.h"
#include "reminders/alert_dlg.h"

#include <QTimer>

namespace orlane {

namespace {
constexpr int kGateRetryMs = 50;
}

AlertQueue::AlertQueue(QObject* parent) : QObject(parent) {}

AlertQueue::~AlertQueue() {
  for (const QPointer<CReminderAlertDlg>& window : open_)
    if (window) delete window.data();
}

void AlertQueue::enqueue(const AlertRequest& alert) {
  waiting_.push_back(alert);
  schedule();
}

void AlertQueue::schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, &AlertQueue::process);
}

void AlertQueue::process() {
  scheduled_ = false;
  while (!waiting_.empty()) {
    if (mayOpen_ && !mayOpen_()) {
      scheduled_ = true;
      QTimer::singleShot(kGateRetryMs, this, &AlertQueue::process);
      return;
    }
    const AlertRequest alert = waiting_.front();
    waiting_.pop_front();
    open(alert);
  }
}

void AlertQueue::open(const AlertRequest& alert) {
  auto* window = new CReminderAlertDlg(nullptr);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setModal(false);
  window->SetTheme(theme_);
  window->SetText(QString::fromUtf8(alert.note));
  if (alert.repeat) window->SetRepeat();
  window->SetMedia(QString::fromUtf8(alert.media));
  window->SetTitle(alert.title);
  if (!alert.dayKey.isEmpty()) {
    window->EnableSnooze(snoozeMinutes_);
    connect(window, &CReminderAlertDlg::snoozeRequested, this,
            [this, alert](int minutes) { Q_EMIT snoozed(alert, minutes); });
  }
  connect(window, &QDialog::finished, this, [this, window, alert] {
    open_.removeAll(QPointer<CReminderAlertDlg>(window));
    Q_EMIT closed(alert);
  });
  open_.append(window);
  Q_EMIT opened(window, alert);
  if (HasModalResponder()) {
    // Without a person the window is answered as a modal one would be.
    window->exec();
    window->close();
    return;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

QList<CReminderAlertDlg*> AlertQueue::openWindows() const {
  QList<CReminderAlertDlg*> windows;
  for (const QPointer<CReminderAlertDlg>& window : open_)
    if (window) windows << window.data();
  return windows;
}

void AlertQueue::closeAll() {
  waiting_.clear();
  for (CReminderAlertDlg* window : openWindows()) window->reject();
}

}  // namespace orlane
