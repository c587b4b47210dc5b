// Where the main window's controls go for a client size: the frame buttons,
// the toolbar, the search panel under the calendar and the work area of each
// mode, all from the client width and height and the calendar's rectangle.
#pragma once

#include <QRect>
#include <vector>

namespace orlane {

struct ControlPlacement {
  int id;
  QRect rect;  // x, y, width, height in client coordinates
};

// Every control that the layout moves, for client size w x h and the month
// calendar at `calendar`.
std::vector<ControlPlacement> WindowLayout(int w, int h, const QRect& calendar);

// The calendar's place when it is shown: (10, 60) to (188, 202).
QRect DefaultCalendarRect();

// The one placement of id, or an empty rectangle.
QRect PlacementOf(const std::vector<ControlPlacement>& layout, int id);

// The mode's work area for client size w x h: right of the left column and
// under the toolbar.
QRect WorkArea(int w, int h, const QRect& calendar);

// The order Tab walks controls at rects: the work area first, then the left
// column, then the strip above both; within each, rows top to bottom (a
// control that starts above the middle of a row's first shares its row) and
// left to right.
// Returns indices into rects.
std::vector<int> TabOrder(const std::vector<QRect>& rects, const QRect& workArea);

}  // namespace orlane
