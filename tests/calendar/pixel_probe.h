// Small helpers for pixel tests of the calendar's controls: a pixel as a
// theme colour value, and whether a box holds a given colour.
#pragma once

#include "controls/color_theme.h"

#include <QImage>

namespace orlane::test {

inline ColorRef PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return MakeColorRef(qRed(p), qGreen(p), qBlue(p));
}

inline int CountColorIn(const QImage& image, int left, int top, int right, int bottom, ColorRef color) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += PixelAt(image, x, y) == color;
  return n;
}

inline ColorRef Inverted(ColorRef c) {
  return MakeColorRef(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

}  // namespace orlane::test
