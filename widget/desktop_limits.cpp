#include "widget/desktop_limits.h"

namespace orlane {

DesktopLimits DesktopLimitsFor(const QString& platformName, bool compositing) {
  DesktopLimits limits;
  if (platformName.startsWith(QLatin1String("wayland"))) {
    limits.opacity = false;
    limits.stacking = false;
    limits.placement = false;
    limits.opacityReason = QStringLiteral("Wayland does not let a program make its window transparent.");
    limits.stackingReason = QStringLiteral("Wayland does not let a program keep its window above or below others.");
  } else if (platformName == QLatin1String("xcb") && !compositing) {
    limits.opacity = false;
    limits.opacityReason =
        QStringLiteral("Transparency needs a compositing window manager, and none is running on this desktop.");
  }
  return limits;
}

}  // namespace orlane
