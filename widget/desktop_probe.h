// Asks the running desktop what the widget's window may do (DesktopLimits):
// the platform plugin's name, and on X11 whether a compositing manager owns
// the screen's _NET_WM_CM_S<n> selection.
#pragma once

#include "widget/desktop_limits.h"

namespace orlane {

DesktopLimits DetectDesktopLimits();

// Whether a compositing manager runs on the X11 display; false elsewhere.
bool X11CompositorRunning();

}  // namespace orlane
