// The main window's links to the desktop: the tray icon and the visibility
// rules' host, and the scheduler's host that shows the alerts.
#pragma once

#include "app/tray_visibility.h"
#include "app/work_panel.h"
#include "reminders/alarm_scheduler.h"

class QSystemTrayIcon;

namespace orlane {

class CMainDlg;

// Also the owner of the commands that show and hide the window, the clock and the desk widget.
class MainTrayHost final : public TrayVisibility::Host, public CommandOwner {
 public:
  explicit MainTrayHost(CMainDlg& window) : window_(window) {}

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;

  // The icon, or nullptr when the desktop has no tray (the window then stays
  // reachable: hiding is not offered).
  QSystemTrayIcon* CreateIcon();
  bool HasTray() const { return icon_ != nullptr; }

  void addTrayIcon(TrayIcon icon) override;
  void setTrayIcon(TrayIcon icon) override;
  void removeTrayIcon() override;
  void showWindow() override;
  void hideWindow() override;
  void placeWindow() override;
  void bringToFront() override;
  void setTaskbarEntry(bool present) override;
  void relayout() override;
  bool askPassword() override;

 private:
  CMainDlg& window_;
  QSystemTrayIcon* icon_ = nullptr;
};

class MainAlarmHost final : public AlarmScheduler::Host {
 public:
  explicit MainAlarmHost(CMainDlg& window) : window_(window) {}
  void showAlert(const AlertRequest& alert) override;
  void remindersSkipped(int count, int hours) override;
  void ShowClockInfo();

 private:
  CMainDlg& window_;
};

}  // namespace orlane
