#include "calendar/clock_geometry.h"

#include <gtest/gtest.h>

namespace orlane {
namespace {

TEST(ClockGeometry, ellipticalControl_hasHalfSizeRadiiAndMinimumTick) {
  const ClockGeometry g = ClockGeometry::ForSize(100, 60);
  EXPECT_EQ(g.radiusX, 50);
  EXPECT_EQ(g.radiusY, 30);
  EXPECT_EQ(g.centerX, 50);
  EXPECT_EQ(g.centerY, 30);
  EXPECT_EQ(g.tickSize, 2);
  EXPECT_EQ(ClockGeometry::ForSize(200, 200).tickSize, 5);
  EXPECT_EQ(ClockGeometry::ForSize(81, 81).tickSize, 2);
  EXPECT_FALSE(ClockGeometry{}.computed());
}

TEST(ClockGeometry, hourHandAtHalfPastThree_pointsAtSeventeen) {
  EXPECT_EQ(HourHandPosition(3, 30), 17);
  EXPECT_EQ(HourHandPosition(0, 59), 4);
  EXPECT_EQ(HourHandPosition(11, 59), 59);
  const ClockGeometry g = ClockGeometry::ForSize(100, 100);
  const HandPolygon hour = g.HourHand(3, 30);
  EXPECT_EQ(hour[0], (ClockPoint{50, 50}));
  EXPECT_EQ(hour[2], g.PointAt(17, 0.6));
  EXPECT_EQ(hour[1], g.PointAt(19, 0.4));
  EXPECT_EQ(hour[3], g.PointAt(15, 0.4));
}

TEST(ClockGeometry, pointsRoundAwayFromCentreAtTheFourQuarters) {
  const ClockGeometry g = ClockGeometry::ForSize(100, 60);
  EXPECT_EQ(g.PointAt(0, 1.0), (ClockPoint{50, 1}));  // -30 + 0.5 truncates to -29
  EXPECT_EQ(g.PointAt(15, 1.0), (ClockPoint{100, 30}));
  EXPECT_EQ(g.PointAt(30, 1.0), (ClockPoint{50, 60}));
  // cos × r + 0.5 truncated toward zero: -50 + 0.5 gives -49.
  EXPECT_EQ(g.PointAt(45, 1.0), (ClockPoint{1, 30}));
  EXPECT_EQ(g.PointAt(60, 1.0), g.PointAt(0, 1.0));
  EXPECT_EQ(g.PointAt(-1, 0.6), g.PointAt(59, 0.6));
}

TEST(ClockGeometry, handsTicksAndHub) {
  const ClockGeometry g = ClockGeometry::ForSize(100, 100);
  const HandPolygon minute = g.MinuteHand(0);
  EXPECT_EQ(minute[2], (ClockPoint{50, 11}));
  EXPECT_EQ(minute[1], g.PointAt(1, 0.6));
  EXPECT_EQ(minute[3], g.PointAt(59, 0.6));
  EXPECT_EQ(g.SecondTip(15), (ClockPoint{95, 50}));
  EXPECT_EQ(g.Hub(), (ClockBox{46, 46, 54, 54}));
  const ClockPoint twelve = g.PointAt(0, 0.93);
  EXPECT_EQ(g.TickBox(0), (ClockBox{twelve.x - 2, twelve.y - 2, twelve.x + 2, twelve.y + 2}));
  const ClockPoint one = g.PointAt(1, 0.93);
  EXPECT_EQ(g.TickBox(1), (ClockBox{one.x - 1, one.y - 1, one.x + 1, one.y + 1}));
}

}  // namespace
}  // namespace orlane
