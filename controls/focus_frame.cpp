#include "controls/focus_frame.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

namespace orlane {

void PaintKeyboardFocus(QPainter& painter, const QWidget& control, const QRect& frame) {
  if (!control.hasFocus() || !control.window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  painter.save();
  QPen pen(Qt::black);
  pen.setStyle(Qt::DotLine);
  pen.setWidth(0);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace orlane
