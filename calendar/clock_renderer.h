// The analog clock's stateless renderer: the whole face (background, dial
// ticks with their 3-D frames and minute dots, hands and hub) and the single
// operations the clock's update uses on its back buffer: drawing or erasing
// the hour and minute hands, and inverting the second hand's line.
#pragma once

#include "calendar/clock_geometry.h"
#include "controls/color_theme.h"

#include <QImage>

class QPainter;

namespace orlane {

struct ClockColors {
  ColorRef handOutline = MakeColorRef(0, 120, 215);  // system highlight
  ColorRef dial = MakeColorRef(240, 240, 240);       // system button face
  ColorRef background = MakeColorRef(240, 240, 240);
  ColorRef lightEdge = MakeColorRef(255, 255, 255);  // system button highlight
  ColorRef handFill = MakeColorRef(160, 160, 160);   // system button shadow
};

struct ClockOptions {
  bool showHourHand = true;
  bool showMinuteHand = true;
  bool showSecondHand = true;
  bool drawDial = true;
  bool minuteDots = true;
  bool framedHourTicks = true;
};

struct ClockTime {
  int hour = 0;  // 0..11
  int minute = 0;
  int second = 0;
};

// Background, dial and the hands at t.
void PaintClockFace(QImage& image, const ClockGeometry& g, const ClockColors& colors, const ClockOptions& options,
                    const ClockTime& t);
void PaintDial(QPainter& painter, const ClockGeometry& g, const ClockColors& colors, const ClockOptions& options);
// Hour and minute hand (each with the hub) in fill and outline colours; the
// background colour for both erases them.
void PaintHourHand(QPainter& painter, const ClockGeometry& g, int hour, int minute, ColorRef fill, ColorRef outline);
void PaintMinuteHand(QPainter& painter, const ClockGeometry& g, int minute, ColorRef fill, ColorRef outline);
// Inverts the pixels of the second hand's line; a second call restores them.
void InvertSecondHand(QImage& image, const ClockGeometry& g, int second);

}  // namespace orlane
