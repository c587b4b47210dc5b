#include "widget/taskbar_hint.h"

#include "widget/x11_connection.h"

#include <QWidget>

#ifdef ORLANE_ASK_X11
#include <array>
#endif

namespace orlane {

void KeepOffTaskbar(QWidget& window) {
#ifdef ORLANE_ASK_X11
  xcb_connection_t* connection = X11Connection();
  if (!connection || !window.isWindow()) return;
  const xcb_atom_t state = X11Atom(connection, "_NET_WM_STATE", false);
  const std::array<xcb_atom_t, 2> hints = {X11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR", false),
                                           X11Atom(connection, "_NET_WM_STATE_SKIP_PAGER", false)};
  if (state == XCB_ATOM_NONE || hints[0] == XCB_ATOM_NONE || hints[1] == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()), state, XCB_ATOM_ATOM,
                      32, static_cast<uint32_t>(hints.size()), hints.data());
  xcb_flush(connection);
#else
  (void)window;
#endif
}

}  // namespace orlane
