#include "calendar/month_view.h"

#include "calendar/holiday_file.h"
#include "days/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"

namespace orlane {

DayMarks DayMarksOnDisk(int year, int month, int day) {
  const QString key = MakeDayKey(year, month, day);
  return {FileExists(DayFilePath(key, DayFileKind::Diary)), FileExists(DayFilePath(key, DayFileKind::Reminders)),
          FileExists(DayFilePath(key, DayFileKind::Sound))};
}

MonthSources DefaultMonthSources() {
  return {&DayMarksOnDisk, [](int y, int m, int d) { return !GetHolidayText(y, m, d).isEmpty(); }};
}

MonthView BuildMonthView(std::time_t selected, std::time_t now, int weekStart, int width, const MonthSources& sources) {
  MonthView view;
  const LocalDate sel = LocalDateOf(selected);
  const LocalDate today = LocalDateOf(now);
  view.year = sel.year;
  view.month = sel.month;
  view.weekStart = weekStart == kWeekStartsMonday ? kWeekStartsMonday : kWeekStartsSunday;
  const MonthDays days = ComputeMonthDays(sel.year, sel.month, view.weekStart);
  const bool todayShown = today.year == sel.year && today.month == sel.month;
  for (int k = 0; k < kMonthCells; ++k) {
    MonthCellView& cell = view.cells[k];
    cell.day = days.day[k];
    cell.inMonth = days.inMonth(k);
    cell.selected = cell.inMonth && cell.day == sel.day;
    cell.weekend = IsWeekendColumn(k % 7, view.weekStart);
    if (!cell.inMonth) continue;
    cell.today = todayShown && cell.day == today.day;
    if (sources.isHoliday) cell.holiday = sources.isHoliday(sel.year, sel.month, cell.day);
    if (sources.marks) cell.marks = sources.marks(sel.year, sel.month, cell.day);
  }
  view.headerLetters = WeekdayLetters(view.weekStart);
  const std::time_t first = MakeLocalTime(sel.year, sel.month, 1, 8);
  view.title = FormatLocalTime(width < kShortTitleBelowWidth ? "%b, %Y" : "%B, %Y", first);
  return view;
}

}  // namespace orlane
