#include "widget/x11_connection.h"

#ifdef ORLANE_ASK_X11
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace orlane {

xcb_connection_t* X11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t X11Atom(xcb_connection_t* connection, const char* name, bool onlyIfExists) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeXcbReply> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, onlyIfExists ? 1 : 0, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace orlane
#endif
