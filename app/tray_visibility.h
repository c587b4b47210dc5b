// The main window's tray states and the rules of showing and hiding it: 0 no
// icon, 1 icon and window shown, 2 icon and window hidden. The window itself is
// reached through the Host interface, so the rules run without a screen.
#pragma once

namespace orlane {

enum class TrayState { NoIcon = 0, Shown = 1, Hidden = 2 };
enum class TrayIcon { Shown, Hidden };

class TrayVisibility final {
 public:
  class Host {
   public:
    virtual ~Host() = default;
    virtual void addTrayIcon(TrayIcon icon) = 0;
    virtual void setTrayIcon(TrayIcon icon) = 0;
    virtual void removeTrayIcon() = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void placeWindow() = 0;
    virtual void bringToFront() = 0;
    // After a hidden start the window has no task-bar entry until it is unlocked.
    virtual void setTaskbarEntry(bool present) = 0;
    virtual void relayout() = 0;
    // Runs the login; false when refused or when one is already open.
    virtual bool askPassword() = 0;
  };

  explicit TrayVisibility(Host& host) : host_(host) {}

  TrayState state() const { return state_; }

  // Adds the icon at start (state 1); a hidden start with login pending then
  // takes the window out of sight and off the task bar (state 2).
  void start(bool loginPending);
  // Icon click, "Show main window", "Hide main window", the Hide button.
  // 1 done, 0 refused by the login. loginPending is cleared on the first
  // unlocked showing.
  int toggle(bool& loginPending, bool loginOnShow);
  // The window goes away: the icon is removed.
  void stop();

 private:
  Host& host_;
  TrayState state_ = TrayState::NoIcon;
};

}  // namespace orlane
