#include "calendar/clock_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orlane {

ClockGeometry ClockGeometry::ForSize(int width, int height) {
  ClockGeometry g;
  g.centerX = width / 2;
  g.centerY = height / 2;
  g.radiusX = width / 2;
  g.radiusY = height / 2;
  g.tickSize = std::max(2, std::min(g.radiusX, g.radiusY) / 20);
  return g;
}

ClockPoint ClockGeometry::PointAt(int position, double factor) const {
  const double a = (position - 15) * std::numbers::pi / 30.0;
  // Truncating after + 0.5 (not lround) keeps the hands on the pixels the clock has always drawn.
  // NOLINTBEGIN(bugprone-incorrect-roundings)
  return {centerX + static_cast<int>(std::cos(a) * radiusX * factor + 0.5),
          centerY + static_cast<int>(std::sin(a) * radiusY * factor + 0.5)};
  // NOLINTEND(bugprone-incorrect-roundings)
}

HandPolygon ClockGeometry::HourHand(int hour, int minute) const {
  const int p = HourHandPosition(hour, minute);
  return {ClockPoint{centerX, centerY}, PointAt(p + 2, 0.4), PointAt(p, 0.6), PointAt(p - 2, 0.4)};
}

HandPolygon ClockGeometry::MinuteHand(int minute) const {
  return {ClockPoint{centerX, centerY}, PointAt(minute + 1, 0.6), PointAt(minute, 0.8), PointAt(minute - 1, 0.6)};
}

ClockPoint ClockGeometry::SecondTip(int second) const {
  return PointAt(second, 0.9);
}

ClockBox ClockGeometry::Hub() const {
  const int hx = radiusX / 12;
  const int hy = radiusY / 12;
  return {centerX - hx, centerY - hy, centerX + hx, centerY + hy};
}

ClockBox ClockGeometry::TickBox(int position) const {
  const ClockPoint p = PointAt(position, 0.93);
  const int reach = position % 5 == 0 ? tickSize / 2 + 1 : 1;
  return {p.x - reach, p.y - reach, p.x + reach, p.y + reach};
}

}  // namespace orlane
