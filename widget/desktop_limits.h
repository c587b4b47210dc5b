// What the desktop lets the widget do with its window: make it see-through,
// keep it above or below the other windows, and place it where it was. Each
// missing facility comes with the reason the menu shows on the items it
// disables; the stored options stay as they are, for a desktop that can.
#pragma once

#include <QString>

namespace orlane {

struct DesktopLimits {
  bool opacity = true;    // window transparency
  bool stacking = true;   // always on top / always at the bottom
  bool placement = true;  // the window's position can be set and read
  QString opacityReason;
  QString stackingReason;

  bool operator==(const DesktopLimits&) const = default;
};

// The limits of a Qt platform ("xcb", "wayland", "offscreen", ...); for X11
// compositing tells whether a compositing manager runs (transparency needs
// one there).
DesktopLimits DesktopLimitsFor(const QString& platformName, bool compositing);

}  // namespace orlane
