// The focus frame of the program's owner-drawn controls: shown while the
// control has the focus and the user moves the focus with the keyboard, as the
// platform's own controls do; two pixels wide in the theme's strong colour
// (its outline and dark-text colour), so that it stands out on every face.
#pragma once

#include <QRect>

class QPainter;
class QWidget;

namespace orlane {

void PaintKeyboardFocus(QPainter& painter, const QWidget& control, const QRect& frame, int theme);

}  // namespace orlane
