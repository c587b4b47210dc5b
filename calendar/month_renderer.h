// The month calendar's stateless renderer: paints one MonthView into an image
// of the control's size, in the colours of a theme, with the GDI pixel rules:
// background, the 42 cells (selected, weekend, ordinary), the day numbers in
// the four fonts, the day marks, the header bar and the title.
#pragma once

#include "calendar/month_grid.h"
#include "calendar/month_view.h"

#include <QFont>
#include <QImage>

namespace orlane {

// Tahoma, 12 pixels: normal, underlined, bold, bold underlined.
struct MonthFonts {
  QFont normal;
  QFont underlined;
  QFont bold;
  QFont boldUnderlined;
  static MonthFonts Make();
};

// image must already have the control's size (Format_RGB32).
void RenderMonth(QImage& image, const MonthView& view, const MonthCellRects& cells, int theme, const MonthFonts& fonts);

}  // namespace orlane
