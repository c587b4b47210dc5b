#include "calendar/month_grid.h"

#include "platform/local_time.h"

namespace orlane {

MonthCellRects ComputeMonthCells(int width, int height) {
  const int columnWidth = (width - 8) / 7;
  const int leftMargin = ((width - 8) % 7) / 2 + 4;
  const int rowHeight = (height - 46) / 6;
  MonthCellRects cells;
  for (int k = 0; k < kMonthCells; ++k) {
    const int r = k / 7;
    const int c = k % 7;
    cells[k] = {leftMargin + columnWidth * c, 23 + r * rowHeight, leftMargin + columnWidth * (c + 1) + 1,
                24 + (r + 1) * rowHeight};
  }
  return cells;
}

int MonthCellAt(const MonthCellRects& cells, int x, int y) {
  for (int k = 0; k < kMonthCells; ++k)
    if (cells[k].contains(x, y)) return k;
  return -1;
}

MonthButtonRects ComputeMonthButtons(int width, int height) {
  const CellRect next{width - 22, height - 20, width - 4, height - 3};
  const CellRect prev{next.left - 21, next.top, next.right - 21, next.bottom};
  const CellRect today{prev.left - 21, prev.top, prev.right - 21, prev.bottom};
  return {next, prev, today};
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return kDays[month - 1];
}

MonthDays ComputeMonthDays(int year, int month, int weekStart) {
  MonthDays days;
  days.daysInMonth = DaysInMonth(year, month);
  const std::tm first = LocalTm(MakeLocalTime(year, month, 1, 8));
  const int startWeekday = weekStart == kWeekStartsMonday ? 1 : 0;  // tm_wday of the week's first day
  // Days of the previous month until one on the week start has been placed.
  int before = (first.tm_wday - startWeekday + 7) % 7;
  if (before == 0) before = 7;
  const int prevMonth = month == 1 ? 12 : month - 1;
  const int prevYear = month == 1 ? year - 1 : year;
  const int prevDays = DaysInMonth(prevYear, prevMonth);
  for (int i = 0; i < before; ++i) days.day[i] = prevDays - before + 1 + i;
  days.firstOfMonth = before;
  int next = 1;
  for (int k = before; k < kMonthCells; ++k) {
    const int inMonth = k - before + 1;
    days.day[k] = inMonth <= days.daysInMonth ? inMonth : next++;
  }
  return days;
}

bool IsWeekendColumn(int column, int weekStart) {
  if (weekStart == kWeekStartsMonday) return column == 5 || column == 6;
  return column == 0 || column == 6;
}

QString WeekdayLetters(int weekStart) {
  const int from = weekStart == kWeekStartsMonday ? 1 : 0;
  return QStringLiteral("SMTWTFSS").mid(from, 7);
}

std::time_t AddDays(std::time_t t, int days) {
  const std::tm tm = LocalTm(t);
  return MakeLocalTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday + days, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

namespace {

std::time_t ShiftMonth(std::time_t t, int delta) {
  const std::tm tm = LocalTm(t);
  int year = tm.tm_year + 1900;
  int month = tm.tm_mon + 1 + delta;
  while (month < 1) {
    month += 12;
    --year;
  }
  while (month > 12) {
    month -= 12;
    ++year;
  }
  const int day = std::min(tm.tm_mday, DaysInMonth(year, month));
  return MakeLocalTime(year, month, day, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace

std::time_t PrevMonth(std::time_t t) {
  return ShiftMonth(t, -1);
}
std::time_t NextMonth(std::time_t t) {
  return ShiftMonth(t, +1);
}

std::time_t DateOfClickedCell(std::time_t selected, int cell, int dayNumber) {
  std::time_t base = selected;
  if (cell < 7 && dayNumber > 20) base = PrevMonth(base);
  if (cell > 27 && dayNumber < 15) base = NextMonth(base);
  const LocalDate d = LocalDateOf(base);
  return MakeLocalTime(d.year, d.month, dayNumber, 0, 0, 10);
}

}  // namespace orlane
