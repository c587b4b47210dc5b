// The pixels of a GDI line: Bresenham steps from the start point towards the
// end point, which is left out. Pure, so that code drawing into an image and
// code summarising a line (the waveform's columns) visit the same pixels.
#pragma once

#include <cstdlib>

namespace orlane {

// Calls plot(x, y) for every pixel of the line from (x1, y1) to (x2, y2)
// except the end point; a line of length 0 plots nothing.
template <typename Plot>
void ForEachGdiLinePixel(int x1, int y1, int x2, int y2, Plot&& plot) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  int x = x1;
  int y = y1;
  while (x != x2 || y != y2) {
    plot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

}  // namespace orlane
