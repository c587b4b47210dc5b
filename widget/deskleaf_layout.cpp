#include "widget/deskleaf_layout.h"

#include <algorithm>

namespace orlane {

namespace {
constexpr int kCaptionTop = 1;
constexpr int kCaptionHeight = 15;
constexpr int kClockTop = 16;
constexpr int kCaptionOnlyHeight = 19;

// Whether the stored rectangle shares a pixel with the desktop (in 64 bits:
// a file may hold any values).
bool Touches(const DeskleafSettings& s, const QRect& desktop) {
  const qint64 left = std::max<qint64>(s.left, desktop.x());
  const qint64 top = std::max<qint64>(s.top, desktop.y());
  const qint64 right = std::min<qint64>(s.right, qint64(desktop.x()) + desktop.width());
  const qint64 bottom = std::min<qint64>(s.bottom, qint64(desktop.y()) + desktop.height());
  return left < right && top < bottom;
}
}  // namespace

DeskleafLayout ComputeDeskleafLayout(const DeskleafSettings& s, const QRect& screen, const QRect& desktop) {
  DeskleafLayout out{s.left, s.top, s.right, s.bottom, {}};
  const int w = s.width;
  const int h = s.height;
  if (out.right == out.left || !Touches(s, desktop.isEmpty() ? screen : desktop)) {
    out.right = screen.x() + screen.width() - kDeskleafScreenMargin;
    out.top = screen.y() + kDeskleafScreenMargin;
    out.left = out.right - w;
    out.bottom = out.top + h;
  }
  if (!s.showCalendar) {
    out.left = out.right - w / 3 + 5;
    if (s.showReminders)
      out.bottom = out.top + h;
    else if (s.showClock)
      out.bottom = out.top + w / 3 + 1;
    else
      out.bottom = out.top + kCaptionOnlyHeight;
  } else if (s.showClock || s.showReminders) {
    out.left = out.right - w;
    out.bottom = out.top + h;
  } else {
    // The calendar alone keeps the left edge.
    out.right = out.left + 2 * w / 3 + 5;
    out.bottom = out.top + h;
  }
  out.panels = ComputeDeskleafPanels(s, out.width(), out.height());
  return out;
}

DeskleafPanelRects ComputeDeskleafPanels(const DeskleafSettings& s, int w, int h) {
  DeskleafPanelRects p;
  const bool column = s.showClock || s.showReminders;
  int c = w;
  int x1 = 2;
  int x2 = w - 2;
  if (s.showCalendar) {
    p.calendarShown = true;
    if (column) {
      c = w / 3 - 5;
      x1 = w - 1 - c;
      x2 = x1 + c - 1;
      p.calendar = QRect(QPoint(1, 1), QPoint(x1 - 1, h - 2));
    } else {
      // Without a right column the calendar fills the window inside its
      // one-pixel edge, which is the rectangle it has beside the column.
      p.calendar = QRect(QPoint(1, 1), QPoint(w - 2, h - 2));
      return p;
    }
  }
  p.captionShown = true;
  p.caption = QRect(x1, kCaptionTop, x2 - x1, kCaptionHeight);
  int next = kCaptionTop + kCaptionHeight + 1;
  if (s.showClock) {
    p.clockShown = true;
    p.clock = QRect(x1, kClockTop, x2 - x1, c - 12);
    next = c + 4;
  }
  p.remindersShown = column;
  p.reminders = QRect(x1, next, x2 - x1, std::max(0, h - 2 - next));
  return p;
}

bool IsSmallDeskleaf(const DeskleafSettings& s) {
  return s.height == kDeskleafSmallHeight;
}

const char* SizeItemText(const DeskleafSettings& s) {
  return IsSmallDeskleaf(s) ? "Big size" : "Small size";
}

void ToggleDeskleafSize(DeskleafSettings& s) {
  const bool big = s.width == kDeskleafBigWidth;
  s.width = big ? kDeskleafSmallWidth : kDeskleafBigWidth;
  s.height = big ? kDeskleafSmallHeight : kDeskleafBigHeight;
}

}  // namespace orlane
