// Builds what one redraw of the month calendar shows from the selected date,
// today and the week start: per cell its day number, whether it belongs to the
// shown month, is selected, today, a holiday, a weekend cell, and which of the
// three day files exist; plus the title text. It tests at most three files per
// day of the shown month and asks the holiday lookup only for those days.
#pragma once

#include "calendar/month_grid.h"
#include "platform/local_time.h"

#include <QString>

#include <array>
#include <ctime>
#include <functional>

namespace orlane {

struct DayMarks {
  bool diary = false;
  bool reminders = false;
  bool sound = false;
};

struct MonthCellView {
  int day = 0;
  bool inMonth = false;
  bool selected = false;
  bool today = false;
  bool holiday = false;
  QString holidayName;
  bool weekend = false;
  DayMarks marks;
};

struct MonthView {
  int year = 1970;
  int month = 1;
  int weekStart = kWeekStartsSunday;
  std::array<MonthCellView, kMonthCells> cells{};
  QString headerLetters;
  QString title;  // "March, 2005", or "Mar, 2005" when narrow
};

// How a redraw learns about a day; the defaults read the day files of the
// user folder and the holiday files.
struct MonthSources {
  std::function<DayMarks(int year, int month, int day)> marks;
  std::function<QString(int year, int month, int day)> holidayName;  // empty: no holiday
};
MonthSources DefaultMonthSources();
DayMarks DayMarksOnDisk(int year, int month, int day);

// A control narrower than this shows the abbreviated month name.
inline constexpr int kShortTitleBelowWidth = 201;

MonthView BuildMonthView(std::time_t selected, std::time_t now, int weekStart, int width, const MonthSources& sources);

// The date a cell shows: a day of the shown month or of a neighbour.
LocalDate MonthCellDate(const MonthView& view, int cell);

// What a screen reader says of a cell: its full date (weekday and the date
// format setting) as the name; whether it is today, which records the day has
// and its holiday as the description.
QString MonthCellName(const MonthView& view, int cell, int dateFormat);
QString MonthCellDescription(const MonthCellView& cell);

}  // namespace orlane
