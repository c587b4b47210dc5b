#include "app/tray_host.h"

#include "app/deskleaf_link.h"
#include "app/main_dlg.h"
#include "app/main_ids.h"
#include "app/reminder_options.h"
#include "app/window_place.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "days/title_line.h"
#include "platform/clock.h"
#include "reminders/alert_dlg.h"
#include "reminders/alert_queue.h"
#include "res/resources.h"
#include "security/session.h"
#include "widget/deskleaf_dlg.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

namespace orlane {

QSystemTrayIcon* MainTrayHost::CreateIcon() {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return nullptr;
  icon_ = new QSystemTrayIcon(&window_);
  icon_->setToolTip(QStringLiteral("Orlane"));
  icon_->setContextMenu(window_.Menu(0));
  QObject::connect(icon_, &QSystemTrayIcon::activated, &window_, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    window_.Deskleaf().Relayout();
    window_.ToggleMainWindow();
  });
  return icon_;
}

void MainTrayHost::addTrayIcon(TrayIcon icon) {
  setTrayIcon(icon);
  if (icon_) icon_->show();
}

void MainTrayHost::setTrayIcon(TrayIcon icon) {
  if (icon_)
    icon_->setIcon(QIcon(ResourcePixmap(icon == TrayIcon::Shown ? 128 : 201, icon == TrayIcon::Shown ? 32 : 16)));
}

void MainTrayHost::removeTrayIcon() {
  if (icon_) icon_->hide();
}

void MainTrayHost::showWindow() {
  window_.show();
  window_.raise();
  window_.activateWindow();
}

void MainTrayHost::hideWindow() {
  // Without a tray the window must stay reachable.
  if (icon_) window_.hide();
}

void MainTrayHost::placeWindow() {
  const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const CDeskleafDlg* widget = window_.deskleaf_->Widget();
  const QRect widgetRect = widget && widget->isVisible() ? widget->frameGeometry() : QRect();
  window_.move(MainWindowStartPos(screen->availableGeometry(), window_.size(),
                                  RememberedWindowPlace(window_.options_->settings()), widgetRect));
  window_.placed_ = true;
}

void MainTrayHost::bringToFront() {
  window_.raise();
}

void MainTrayHost::setTaskbarEntry(bool present) {
  // A tool window has no task-bar entry; a hidden start keeps it off the bar.
  const bool visible = window_.isVisible();
  window_.setWindowFlag(Qt::Tool, !present);
  window_.setWindowFlag(Qt::Window, true);
  if (visible) window_.show();
}

void MainTrayHost::relayout() {
  window_.LayOut(window_.ClientArea()->width(), window_.ClientArea()->height());
}

bool MainTrayHost::askPassword() {
  return window_.AskPassword();
}

bool MainTrayHost::OwnsCommand(int id) const {
  return id == ids::kHide || id == ids::kTrayShow || id == ids::kTrayHide || id == ids::kTrayShowClock ||
         id == ids::kTrayDeskleaf;
}

void MainTrayHost::OnCommand(int id) {
  const TrayState state = window_.TrayStateValue();
  switch (id) {
    case ids::kTrayShow:
      if (state == TrayState::Hidden) window_.ToggleMainWindow();
      break;
    case ids::kHide:
    case ids::kTrayHide:
      if (state == TrayState::Shown && HasTray()) window_.ToggleMainWindow();
      break;
    case ids::kTrayShowClock: ShowClockAlert(window_.Theme(), &window_); break;
    case ids::kTrayDeskleaf: {
      const Settings& values = window_.settings();
      window_.Deskleaf().Show(values.theme, values.dateFormat, values.weekStart, window_.SelectedDate());
      break;
    }
    default: break;
  }
}

void MainAlarmHost::showAlert(const AlertRequest& alert) {
  window_.Alerts().setTheme(window_.Theme());
  window_.Alerts().enqueue(alert);
}

void MainAlarmHost::remindersSkipped(int count, int hours) {
  // After the day the start-up loads has set its own status.
  QTimer::singleShot(0, &window_, [this, count, hours] { window_.ShowStatus(SkippedRemindersMessage(count, hours)); });
}

void MainAlarmHost::ShowClockInfo() {
  ShowClockAlert(window_.Theme(), &window_);
}

}  // namespace orlane
