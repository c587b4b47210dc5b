// Which window system the program opens its windows on. Qt takes the platform
// plugin from QT_QPA_PLATFORM, or from the session type; when that names
// Wayland only and the Wayland plugin is missing or cannot reach a compositor,
// Qt ends the program (abort, exit 134). The choice here adds X11 (xcb) after
// Wayland, so that the program opens its windows through XWayland or an X
// server instead.
#pragma once

#include <QByteArray>
#include <optional>

namespace orlane {

struct PlatformEnvironment {
  QByteArray qpaPlatform;     // QT_QPA_PLATFORM
  QByteArray sessionType;     // XDG_SESSION_TYPE
  QByteArray currentDesktop;  // XDG_CURRENT_DESKTOP
  QByteArray sessionDesktop;  // XDG_SESSION_DESKTOP
};

// The value QT_QPA_PLATFORM needs for Qt to fall back to xcb, e.g.
// "wayland;xcb"; nullopt when Qt's own choice already ends on a platform
// that does not need a compositor of its own.
std::optional<QByteArray> PlatformWithFallback(const PlatformEnvironment& env);

// Reads the environment and sets QT_QPA_PLATFORM when the fallback is needed;
// before the application object is made.
void ChoosePlatformWithFallback();

}  // namespace orlane
