// Prints where the main window's controls lie for a client size, so the
// whole-program tests click at the rectangles the window itself computes.
// Usage: orlane_layout_probe WIDTH HEIGHT  ->  lines "id x y w h", then
// "calendar x y w h" and "cell<i> x y w h" for the 42 day cells in client
// coordinates, and "theme<t>.<c> r g b" for every theme colour.
#include "app/window_layout.h"
#include "calendar/month_grid.h"
#include "controls/color_theme.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: orlane_layout_probe WIDTH HEIGHT\n");
    return 2;
  }
  const int w = std::atoi(argv[1]);
  const int h = std::atoi(argv[2]);
  for (const orlane::ControlPlacement& p : orlane::WindowLayout(w, h, orlane::DefaultCalendarRect()))
    std::printf("%d %d %d %d %d\n", p.id, p.rect.x(), p.rect.y(), p.rect.width(), p.rect.height());
  const QRect calendar = orlane::DefaultCalendarRect();
  std::printf("calendar %d %d %d %d\n", calendar.x(), calendar.y(), calendar.width(), calendar.height());
  const orlane::MonthCellRects cells = orlane::ComputeMonthCells(calendar.width(), calendar.height());
  for (int i = 0; i < orlane::kMonthCells; ++i)
    std::printf("cell%d %d %d %d %d\n", i, calendar.x() + cells[i].left, calendar.y() + cells[i].top, cells[i].width(),
                cells[i].height());
  for (int t = 0; t < orlane::kThemeCount; ++t)
    for (int c = 0; c < orlane::kThemeColorCount; ++c) {
      const orlane::ColorRef color = orlane::ThemeColor(t, c);
      std::printf("theme%d.%d %u %u %u\n", t, c, color & 0xFFu, (color >> 8) & 0xFFu, (color >> 16) & 0xFFu);
    }
  return 0;
}
