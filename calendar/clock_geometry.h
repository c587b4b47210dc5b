// The analog clock's geometry: centre, radii and tick size of a control size,
// the point at a minute position and radius factor, the four-point hour and
// minute hands, the second hand's tip, and the rectangles of the dial ticks.
#pragma once

#include <array>

namespace orlane {

struct ClockPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const ClockPoint&, const ClockPoint&) = default;
};

struct ClockBox {  // exclusive right and bottom
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend constexpr bool operator==(const ClockBox&, const ClockBox&) = default;
};

using HandPolygon = std::array<ClockPoint, 4>;  // centre, side, tip, other side

struct ClockGeometry {
  int centerX = 0;
  int centerY = 0;
  int radiusX = -1;  // -1: not computed yet
  int radiusY = -1;
  int tickSize = 2;

  static ClockGeometry ForSize(int width, int height);
  bool computed() const { return radiusX != -1; }

  // Position 0..59 (0 = twelve o'clock, clockwise); others wrap by the angle.
  ClockPoint PointAt(int position, double factor) const;
  HandPolygon HourHand(int hour, int minute) const;
  HandPolygon MinuteHand(int minute) const;
  ClockPoint SecondTip(int second) const;
  // The hub ellipse's bounding box.
  ClockBox Hub() const;
  // The dial mark at a position: the hour tick's box at multiples of 5, the
  // minute dot's box elsewhere.
  ClockBox TickBox(int position) const;
};

// The minute position the hour hand points at: hour × 5 + minute / 12.
constexpr int HourHandPosition(int hour, int minute) {
  return hour * 5 + minute / 12;
}

}  // namespace orlane
