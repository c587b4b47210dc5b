// Rectangles as the dialogs' layout tables give them: left, top, right,
// bottom, with the right and bottom edges outside the rectangle.
#pragma once

#include <QRect>

namespace orlane {

inline QRect EdgeRect(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace orlane
