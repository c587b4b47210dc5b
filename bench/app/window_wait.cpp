// Waits for a window of the given title to be mapped on the X display and
// says so at once: "ready" on standard output once it watches the screen,
// then "mapped" when such a window appears. The start-up benchmark starts a
// program between the two lines; xdotool's own wait polls only every half
// second, too coarse for start-ups of tens of milliseconds.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

std::string TitleOf(xcb_connection_t* x, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(x, cookie, nullptr));
  if (!reply) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: bench_window_wait TITLE\n", stderr);
    return 2;
  }
  const std::string title = argv[1];
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) return 1;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);
  xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr);  // the mask is in force from here on
  std::puts("ready");
  std::fflush(stdout);
  int status = 1;
  while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
    const Reply<xcb_generic_event_t> owned(event);
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
    if (TitleOf(x, map->window) == title) {
      std::puts("mapped");
      status = 0;
      break;
    }
  }
  xcb_disconnect(x);
  return status;
}
