#include "app/tray_visibility.h"

namespace orlane {

void TrayVisibility::start(bool loginPending) {
  if (state_ == TrayState::NoIcon) {
    host_.addTrayIcon(TrayIcon::Shown);
    state_ = TrayState::Shown;
  }
  if (loginPending) {
    state_ = TrayState::Hidden;
    host_.setTrayIcon(TrayIcon::Hidden);
    host_.setTaskbarEntry(false);
    return;
  }
  host_.placeWindow();
  host_.showWindow();
}

int TrayVisibility::toggle(bool& loginPending, bool loginOnShow) {
  if (state_ == TrayState::Hidden) {
    host_.bringToFront();
    if (loginPending) {
      host_.hideWindow();
      host_.placeWindow();
      if (!host_.askPassword()) return 0;
      host_.setTaskbarEntry(true);
      host_.relayout();
      loginPending = false;
    } else if (loginOnShow && !host_.askPassword()) {
      return 0;
    }
    host_.showWindow();
    state_ = TrayState::Shown;
  } else if (state_ == TrayState::Shown) {
    host_.hideWindow();
    state_ = TrayState::Hidden;
  }
  host_.setTrayIcon(state_ == TrayState::Shown ? TrayIcon::Shown : TrayIcon::Hidden);
  return 1;
}

void TrayVisibility::stop() {
  if (state_ == TrayState::NoIcon) return;
  host_.removeTrayIcon();
  state_ = TrayState::NoIcon;
}

}  // namespace orlane
