// Keeps a window out of the desktop's task bar and pager. Qt's tool windows
// get no such hint of their own on X11, where some window managers then list
// them; elsewhere this does nothing.
#pragma once

class QWidget;

namespace orlane {

// Call while the native window exists but is not yet mapped (its show event):
// the hint is merged into _NET_WM_STATE, which Qt keeps when it maps the window.
void KeepOffTaskbar(QWidget& window);

}  // namespace orlane
