#include "widget/desktop_probe.h"

#include "widget/x11_connection.h"

#include <QGuiApplication>

#ifdef ORLANE_ASK_X11
#include <memory>
#endif

namespace orlane {

namespace {
#ifdef ORLANE_ASK_X11
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
  xcb_connection_t* connection = X11Connection();
  if (!connection) return false;
  const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DisplayScreen());
  // An atom nobody ever made means nobody ever owned it.
  const xcb_atom_t atom = X11Atom(connection, name.constData(), true);
  if (atom == XCB_ATOM_NONE) return false;
  const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeXcbReply> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr));
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
