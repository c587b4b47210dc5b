// Tab walks the main window's controls as a person reads them: the mode's work
// area first, left to right and top to bottom, then the left column, then the
// toolbar and the frame buttons (TabOrder of the layout).
#pragma once

#include <QRect>

class QWidget;

namespace orlane {

// Orders the shown controls of client (those added with a control id; for a
// group of buttons, its buttons) that take the focus by Tab.
void ApplyReadingTabOrder(QWidget* client, const QRect& workArea);

}  // namespace orlane
