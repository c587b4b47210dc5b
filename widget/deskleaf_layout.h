// Where the desk widget goes and how its panels sit inside it: the outer
// rectangle for each combination of calendar, clock and reminders at either
// size (keeping the right edge, except for the calendar alone, which keeps the
// left edge), and the rectangles of the calendar, the caption line, the clock
// and the reminder text in window coordinates. Pure arithmetic over the
// settings; divisions truncate.
#pragma once

#include "widget/deskleaf_settings.h"

#include <QRect>

namespace orlane {

// The window's distance from the right and top edges of the screen when no
// place is stored yet, and the shape of its corners.
inline constexpr int kDeskleafScreenMargin = 20;
inline constexpr int kDeskleafCornerEllipse = 6;
// Height of the strip along the top that moves the window.
inline constexpr int kDeskleafDragStrip = 22;

struct DeskleafPanelRects {
  QRect calendar;  // meaningful when calendarShown
  QRect caption;
  QRect clock;
  QRect reminders;
  bool calendarShown = false;
  bool captionShown = false;
  bool clockShown = false;
  bool remindersShown = false;  // the reminder label (also the space under the clock)

  bool operator==(const DeskleafPanelRects&) const = default;
};

struct DeskleafLayout {
  // Screen rectangle of the window: left, top inclusive; right, bottom exclusive.
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  DeskleafPanelRects panels;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// The outer rectangle for the settings' panels and size. The stored rectangle
// is where the window was; an empty one (right == left), or one that no longer
// touches the desktop (all screens; the screen when left empty), starts again
// at the top right corner of the screen.
DeskleafLayout ComputeDeskleafLayout(const DeskleafSettings& settings, const QRect& screen,
                                     const QRect& desktop = QRect());

// The panels inside a window of w × h pixels.
DeskleafPanelRects ComputeDeskleafPanels(const DeskleafSettings& settings, int w, int h);

// "Small size" / "Big size": the size item's text for the current height.
bool IsSmallDeskleaf(const DeskleafSettings& settings);
const char* SizeItemText(const DeskleafSettings& settings);
// Big becomes small, anything else big.
void ToggleDeskleafSize(DeskleafSettings& settings);

}  // namespace orlane
