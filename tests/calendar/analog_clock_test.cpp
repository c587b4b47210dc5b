#include "calendar/analog_clock.h"
#include "pixel_probe.h"
#include "platform/clock.h"
#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <memory>

namespace orlane {
namespace {

using test::Inverted;
using test::PixelAt;

std::unique_ptr<CAnalogClock> MakeClock(int w, int h) {
  auto clock = std::make_unique<CAnalogClock>();
  clock->SetRunning(false);
  clock->resize(w, h);
  clock->show();
  return clock;
}

TEST(AnalogClock, resize_computesTheEllipticalGeometry) {
  auto clock = MakeClock(100, 60);
  EXPECT_EQ(clock->Geometry().radiusX, 50);
  EXPECT_EQ(clock->Geometry().radiusY, 30);
  EXPECT_EQ(clock->Geometry().tickSize, 2);
  EXPECT_EQ(clock->Image().size(), QSize(100, 60));
}

TEST(AnalogClock, pixels_hourTickFrameDialAndSecondHandInversion) {
  auto clock = MakeClock(200, 200);
  clock->UpdateTime(6, 30, 0);
  clock->UpdateTime(6, 31, 15);  // a new minute: the face is repainted with the second hand at 15
  const QImage& img = clock->Image();
  const ClockColors& colors = clock->Colors();
  const ClockBox tick = clock->Geometry().TickBox(0);  // 12 o'clock, 6 × 6
  EXPECT_EQ(PixelAt(img, tick.left, tick.top), colors.lightEdge);
  EXPECT_EQ(PixelAt(img, tick.right - 1, tick.bottom - 1), colors.handFill);
  EXPECT_EQ(PixelAt(img, tick.left + 2, tick.top + 2), colors.dial);
  const ClockBox dot = clock->Geometry().TickBox(1);
  EXPECT_EQ(PixelAt(img, dot.left, dot.top), colors.lightEdge);
  // The second hand at 15 runs right from the centre over the background.
  EXPECT_EQ(PixelAt(img, 150, 100), Inverted(colors.background));
  EXPECT_EQ(PixelAt(img, 150, 98), colors.background);
  // The minute hand at 31 points down: its fill is below the centre.
  EXPECT_EQ(PixelAt(img, 97, 140), colors.handFill);
}

TEST(AnalogClock, ticksInsideAMinute_redrawOnlyTheSecondHand) {
  auto clock = MakeClock(120, 120);
  clock->UpdateTime(3, 30, 10);
  clock->UpdateTime(3, 31, 10);
  const int full = clock->FullRepaints();
  const QImage at10 = clock->Image();
  clock->UpdateTime(3, 31, 11);
  EXPECT_EQ(clock->FullRepaints(), full);
  EXPECT_LT(clock->LastDirtyRect().width() * clock->LastDirtyRect().height(), 120 * 120 / 4);
  EXPECT_NE(clock->Image(), at10);
  clock->UpdateTime(3, 31, 40);
  clock->UpdateTime(3, 31, 10);
  EXPECT_EQ(clock->Image(), at10);  // inverting twice restores every pixel
  clock->UpdateTime(3, 32, 10);
  EXPECT_EQ(clock->FullRepaints(), full + 1);
  EXPECT_EQ(clock->LastDirtyRect(), clock->rect());
  EXPECT_EQ(clock->Shown().minute, 32);
}

TEST(AnalogClock, incrementalFace_equalsAFreshlyPaintedOne) {
  auto clock = MakeClock(90, 90);
  clock->UpdateTime(10, 8, 0);
  clock->UpdateTime(10, 9, 0);
  for (int s = 1; s < 60; ++s) clock->UpdateTime(10, 9, s);
  QImage fresh(90, 90, QImage::Format_RGB32);
  PaintClockFace(fresh, clock->Geometry(), clock->Colors(), clock->Options(), ClockTime{10, 9, 59});
  EXPECT_EQ(clock->Image(), fresh);
}

TEST(AnalogClock, setters_redrawOnlyOnChangeAndOnlyThoseThatShould) {
  auto clock = MakeClock(80, 80);
  int n = clock->FullRepaints();
  clock->SetShowSecondHand(false);
  EXPECT_EQ(clock->FullRepaints(), ++n);
  clock->SetShowSecondHand(false);
  EXPECT_EQ(clock->FullRepaints(), n);
  clock->SetMinuteDots(false);
  EXPECT_EQ(clock->FullRepaints(), ++n);
  clock->SetHandOutlineColor(MakeColorRef(1, 2, 3));
  EXPECT_EQ(clock->FullRepaints(), ++n);
  clock->SetBackgroundColor(MakeColorRef(9, 9, 9));
  EXPECT_EQ(clock->FullRepaints(), ++n);
  EXPECT_EQ(PixelAt(clock->Image(), 1, 1), MakeColorRef(9, 9, 9));
  clock->SetHandFillColor(MakeColorRef(7, 7, 7));
  clock->SetDialColor(MakeColorRef(8, 8, 8));
  EXPECT_EQ(clock->FullRepaints(), n);
  // With the second hand off a tick changes nothing.
  clock->UpdateTime(1, 1, 1);
  const QImage before = clock->Image();
  clock->UpdateTime(1, 1, 2);
  EXPECT_EQ(clock->Image(), before);
}

TEST(AnalogClock, timerRunsOnlyWhileShownAndRunning) {
  TestClock now(static_cast<qint64>(MakeLocalTime(2005, 3, 10, 15, 30, 20)) * 1000);
  auto clock = std::make_unique<CAnalogClock>();
  clock->resize(80, 80);
  EXPECT_TRUE(clock->Running());
  EXPECT_FALSE(clock->TimerActive());
  clock->show();
  EXPECT_TRUE(clock->TimerActive());
  EXPECT_EQ(clock->Shown().hour, 3);  // started with an update from the local time
  EXPECT_EQ(clock->Shown().minute, 30);
  EXPECT_EQ(clock->Shown().second, 20);
  clock->hide();
  EXPECT_FALSE(clock->TimerActive());
  clock->show();
  EXPECT_TRUE(clock->TimerActive());
  clock->SetRunning(false);
  EXPECT_FALSE(clock->TimerActive());
  clock->hide();
  clock->show();
  EXPECT_FALSE(clock->TimerActive());
  now.advanceMs(5000);
  clock->SetRunning(true);
  EXPECT_TRUE(clock->TimerActive());
  EXPECT_EQ(clock->Shown().second, 25);
}

}  // namespace
}  // namespace orlane
