#include "controls/theme_frame.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"

#include <QPainter>

namespace orlane {

void PaintThemeFrame(QPainter& painter, const QRect& windowRect, int theme) {
  GdiPainter gdi(painter);
  const GdiRect outer = GdiRect::fromQRect(windowRect);
  const ColorRef outline = ThemeColor(theme, kThemeOutline);
  gdi.FrameRect(outer, outline);
  gdi.FrameRect(outer.inflated(-1, -1), ThemeColor(theme, kThemeAccent));
  gdi.FrameRect(outer.inflated(-2, -2), outline);
}

}  // namespace orlane
