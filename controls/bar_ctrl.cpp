#include "controls/bar_ctrl.h"

#include "controls/gdi_painter.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>

namespace orlane {

int BarFillWidth(int position, int minimum, int maximum, int width) {
  if (maximum <= minimum || width <= 0) return 0;
  const qint64 filled = static_cast<qint64>(position - minimum) * width / (static_cast<qint64>(maximum) - minimum);
  return static_cast<int>(std::clamp<qint64>(filled, 0, width));
}

CBarCtrl::CBarCtrl(const QRect& rect, QWidget* parent) : QWidget(parent) {
  setProperty("controlId", kControlId);
  setGeometry(rect);
  show();
}

void CBarCtrl::SetRange(int minimum, int maximum) {
  if (minimum >= maximum) return;
  minimum_ = minimum;
  maximum_ = maximum;
  position_ = std::clamp(position_, minimum_, maximum_);
  update();
}

int CBarCtrl::SetPos(int value) {
  if (value < minimum_ || value > maximum_) return 0;
  if (value == position_) return 1;
  position_ = value;
  update();
  QAccessibleValueChangeEvent event(this, value);
  QAccessible::updateAccessibility(&event);
  return 1;
}

void CBarCtrl::SetColor(ColorRef color) {
  color_ = color;
  update();
}
void CBarCtrl::SetEdge(bool on) {
  edge_ = on;
  update();
}

void CBarCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  GdiPainter gdi(painter);
  const GdiRect inner = GdiRect::fromQRect(rect()).inflated(-1, -1);
  // The fill stops one pixel short of the inner right edge.
  const int right = std::min(inner.left + BarFillWidth(position_, minimum_, maximum_, inner.width()), inner.right - 1);
  if (right > inner.left) gdi.FillRect({inner.left, inner.top, right, inner.bottom}, color_);
  if (edge_) gdi.SunkenEdge(GdiRect::fromQRect(rect()));
}

}  // namespace orlane
