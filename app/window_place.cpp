#include "app/window_place.h"

#include <algorithm>

namespace orlane {

namespace {
constexpr int kBorder = 3;
constexpr int kGap = 8;  // between the window and the widget it gives way to

bool ButtonsClear(const QPoint& at, const QSize& window, const QRect& widget) {
  return widget.isEmpty() || !TitleButtonsRect(window.width()).translated(at).intersects(widget);
}

bool Fits(const QPoint& at, const QSize& window, const QRect& area) {
  return area.contains(QRect(at, window));
}
}  // namespace

QRect TitleButtonsRect(int windowWidth) {
  // The frame buttons' row of the layout: x from w - 84 to w - 3, y 3 to 21 in
  // client coordinates, inside the 3-pixel border.
  return QRect(kBorder + windowWidth - 2 * kBorder - 84, kBorder + 3, 81, 18);
}

QPoint MainWindowStartPos(const QRect& area, const QSize& window, const std::optional<QPoint>& remembered,
                          const QRect& widget) {
  // A remembered place counts while the title strip can still be reached.
  if (remembered && area.intersects(QRect(*remembered, QSize(window.width(), 25)))) return *remembered;
  const QPoint centred = area.center() - QPoint(window.width() / 2, window.height() / 2);
  if (ButtonsClear(centred, window, widget)) return centred;
  // Left of the widget, at the same height; else under it.
  const QPoint left(std::max(area.left(), widget.left() - kGap - window.width()), centred.y());
  if (ButtonsClear(left, window, widget) && Fits(left, window, area)) return left;
  const QPoint below(centred.x(), widget.top() + widget.height() + kGap);
  if (Fits(below, window, area)) return below;
  if (ButtonsClear(left, window, widget)) return left;
  return QPoint(centred.x(), std::max(area.top(), widget.top() + widget.height() + kGap));
}

}  // namespace orlane
