#include "controls/focus_frame.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"

#include <QPainter>
#include <QWidget>

namespace orlane {

void PaintKeyboardFocus(QPainter& painter, const QWidget& control, const QRect& frame, int theme) {
  if (!control.hasFocus() || !control.window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  const ColorRef strong = ThemeColor(theme, kThemeOutline);
  GdiPainter gdi(painter);
  gdi.FrameRect(GdiRect::fromQRect(frame), strong);
  gdi.FrameRect(GdiRect::fromQRect(frame.adjusted(1, 1, -1, -1)), strong);
}

}  // namespace orlane
