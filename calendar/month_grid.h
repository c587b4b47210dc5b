// The month calendar's arithmetic: the 42 cell rectangles and button places of
// a control size, the day numbers of the six weeks shown for a month and week
// start, the weekend columns and header letters, the day / week / month steps
// of the selected date, and which date a click on a cell selects.
#pragma once

#include <QString>

#include <array>
#include <ctime>

namespace orlane {

inline constexpr int kMonthCells = 42;
inline constexpr int kWeekStartsSunday = 1;
inline constexpr int kWeekStartsMonday = 2;

// A rectangle with exclusive right and bottom edges.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend constexpr bool operator==(const CellRect&, const CellRect&) = default;
};

using MonthCellRects = std::array<CellRect, kMonthCells>;

MonthCellRects ComputeMonthCells(int width, int height);
// The first cell holding (x, y), or -1.
int MonthCellAt(const MonthCellRects& cells, int x, int y);
// A cell narrower or lower than 21 pixels shows centred text and small marks.
inline bool IsSmallCell(const CellRect& r) {
  return r.width() < 21 || r.height() < 21;
}

struct MonthButtonRects {
  CellRect next;   // ">" 1002
  CellRect prev;   // "<" 1001
  CellRect today;  // "T" 1003
};
MonthButtonRects ComputeMonthButtons(int width, int height);

// Day numbers of the 42 cells: 1 to 7 days of the previous month (a whole
// week when the month begins on the week start), the month, then the next.
struct MonthDays {
  std::array<int, kMonthCells> day{};
  int firstOfMonth = 0;  // the cell holding day 1 of the month
  int daysInMonth = 0;
  bool inMonth(int cell) const { return cell >= firstOfMonth && cell < firstOfMonth + daysInMonth; }
};
MonthDays ComputeMonthDays(int year, int month, int weekStart);

int DaysInMonth(int year, int month);
bool IsWeekendColumn(int column, int weekStart);
// The seven header letters from "SMTWTFSS" starting at week start - 1.
QString WeekdayLetters(int weekStart);

// Steps of the selected date. Days and weeks are calendar days, keeping the
// time of day across daylight-saving changes; months keep the day of month,
// or take the month's last day when it is shorter.
std::time_t AddDays(std::time_t t, int days);
std::time_t PrevMonth(std::time_t t);
std::time_t NextMonth(std::time_t t);

// The date selected by a click on cell (showing dayNumber) while `selected`
// is selected: the previous month for a late day in the first row, the next
// month for an early day beyond the fourth row, at 00:00:10 local time.
std::time_t DateOfClickedCell(std::time_t selected, int cell, int dayNumber);

}  // namespace orlane
