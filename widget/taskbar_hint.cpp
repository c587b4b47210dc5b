#include "widget/taskbar_hint.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(ORLANE_HAVE_XCB) && defined(QT_FEATURE_xcb)
#if QT_CONFIG(xcb)
#define ORLANE_ASK_X11 1
#endif
#endif

#ifdef ORLANE_ASK_X11
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <memory>
#endif

namespace orlane {

#ifdef ORLANE_ASK_X11
namespace {
struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}
}  // namespace
#endif

void KeepOffTaskbar(QWidget& window) {
#ifdef ORLANE_ASK_X11
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || !window.isWindow() || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const std::array<xcb_atom_t, 2> hints = {Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                           Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  if (state == XCB_ATOM_NONE || hints[0] == XCB_ATOM_NONE || hints[1] == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()), state, XCB_ATOM_ATOM,
                      32, static_cast<uint32_t>(hints.size()), hints.data());
  xcb_flush(connection);
#else
  (void)window;
#endif
}

}  // namespace orlane
