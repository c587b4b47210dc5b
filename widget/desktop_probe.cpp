#include "widget/desktop_probe.h"

#include <QGuiApplication>

#if defined(ORLANE_HAVE_XCB) && defined(QT_FEATURE_xcb)
#if QT_CONFIG(xcb)
#define ORLANE_ASK_X11 1
#endif
#endif

#ifdef ORLANE_ASK_X11
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace orlane {

namespace {
#ifdef ORLANE_ASK_X11
struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

// The screen number of DISPLAY (":0.1" is screen 1); 0 when it names none.
int DisplayScreen() {
  const QByteArray display = qgetenv("DISPLAY");
  const qsizetype colon = display.lastIndexOf(':');
  const qsizetype dot = display.indexOf('.', colon < 0 ? 0 : colon);
  return dot < 0 ? 0 : display.mid(dot + 1).toInt();
}
#endif
}  // namespace

bool X11CompositorRunning() {
#ifdef ORLANE_ASK_X11
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return false;
  const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DisplayScreen());
  // only_if_exists: an atom nobody ever made means nobody ever owned it.
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
  if (!atom || atom->atom == XCB_ATOM_NONE) return false;
  const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
  return owner && owner->owner != XCB_WINDOW_NONE;
#else
  return false;
#endif
}

DesktopLimits DetectDesktopLimits() {
  const QString platform = QGuiApplication::platformName();
  return DesktopLimitsFor(platform, platform == QLatin1String("xcb") && X11CompositorRunning());
}

}  // namespace orlane
