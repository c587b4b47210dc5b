// Any bytes as "Deskleaf.cfg": reading stops safely, the values the widget
// uses are sane, and the window laid out from them has one of the sizes the
// rules allow and keeps a corner on the screen's row of pixels.
#include "widget/deskleaf_layout.h"
#include "widget/deskleaf_settings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::DeskleafSettings raw;
  orlane::ParseDeskleafSettings(bytes, raw);
  const orlane::DeskleafSettings s = orlane::SanitizedDeskleafSettings(raw);
  if (s.opacity < orlane::kDeskleafMinOpacity) std::abort();
  const QRect screen(0, 0, 1280, 1024);
  const orlane::DeskleafLayout layout = orlane::ComputeDeskleafLayout(s, screen);
  if (layout.width() < 19 || layout.width() > s.width || layout.height() < 19 || layout.height() > s.height)
    std::abort();
  const orlane::DeskleafPanelRects& p = layout.panels;
  if (p.reminders.height() < 0 || (p.calendarShown && p.calendar.width() <= 0)) std::abort();
  if (orlane::SerializeDeskleafSettings(s).size() != orlane::kDeskleafSettingsSize) std::abort();
  return 0;
}
