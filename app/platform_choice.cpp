#include "app/platform_choice.h"

#include <QList>
#include <QtGlobal>

namespace orlane {

namespace {
bool NamesWayland(const QByteArray& platform) {
  return platform.startsWith("wayland");
}
}  // namespace

std::optional<QByteArray> PlatformWithFallback(const PlatformEnvironment& env) {
  if (!env.qpaPlatform.isEmpty()) {
    // Each entry may carry options after a colon ("xcb:foo"); only the names count.
    bool wayland = false;
    for (const QByteArray& entry : env.qpaPlatform.split(';')) {
      const QByteArray name = entry.split(':').front().trimmed();
      if (name == "xcb") return std::nullopt;
      wayland = wayland || NamesWayland(name);
    }
    if (!wayland) return std::nullopt;
    return env.qpaPlatform + ";xcb";
  }
  // Qt picks Wayland for a Wayland session, except on GNOME where it keeps X11.
  if (env.sessionType != "wayland") return std::nullopt;
  if (env.currentDesktop.toLower().contains("gnome") || env.sessionDesktop.toLower().contains("gnome"))
    return std::nullopt;
  return QByteArray("wayland;xcb");
}

void ChoosePlatformWithFallback() {
  const PlatformEnvironment env{qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"), qgetenv("XDG_CURRENT_DESKTOP"),
                                qgetenv("XDG_SESSION_DESKTOP")};
  if (const std::optional<QByteArray> platform = PlatformWithFallback(env)) qputenv("QT_QPA_PLATFORM", *platform);
}

}  // namespace orlane
