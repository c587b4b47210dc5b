// The three-ring window frame of the program's frameless windows: rings in
// theme colours 4, 5 and 4 on the three outermost pixels of the window, which
// stand in for the system's non-client frame.
#pragma once

#include <QRect>

class QPainter;

namespace orlane {

inline constexpr int kThemeFrameWidth = 3;

// Paints the rings inside `windowRect` (the window's own rectangle).
void PaintThemeFrame(QPainter& painter, const QRect& windowRect, int theme);

}  // namespace orlane
