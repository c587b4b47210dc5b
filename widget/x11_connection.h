// The X server connection of the running program and its atoms, for the few
// window hints Qt has no call for. X11Available is false on other platforms
// and in builds without xcb; the rest then do not exist.
#pragma once

#include <QtGui/qtguiglobal.h>

#if defined(ORLANE_HAVE_XCB) && defined(QT_FEATURE_xcb)
#if QT_CONFIG(xcb)
#define ORLANE_ASK_X11 1
#endif
#endif

#ifdef ORLANE_ASK_X11
#include <xcb/xcb.h>

#include <cstdlib>

namespace orlane {

struct FreeXcbReply {
  void operator()(void* reply) const { std::free(reply); }
};

// The program's connection, or null when it runs on another platform.
xcb_connection_t* X11Connection();

// The atom of name; XCB_ATOM_NONE when it cannot be had (or, with
// onlyIfExists, when nobody ever made it).
xcb_atom_t X11Atom(xcb_connection_t* connection, const char* name, bool onlyIfExists);

}  // namespace orlane
#endif
