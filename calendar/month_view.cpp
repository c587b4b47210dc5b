#include "calendar/month_view.h"

#include "calendar/holiday_file.h"
#include "days/day_files.h"
#include "days/title_line.h"
#include "platform/file_io.h"
#include "platform/local_time.h"

namespace orlane {

DayMarks DayMarksOnDisk(int year, int month, int day) {
  const QString key = MakeDayKey(year, month, day);
  return {FileExists(DayFilePath(key, DayFileKind::Diary)), FileExists(DayFilePath(key, DayFileKind::Reminders)),
          FileExists(DayFilePath(key, DayFileKind::Sound))};
}

MonthSources DefaultMonthSources() {
  return {&DayMarksOnDisk, [](int y, int m, int d) { return GetHolidayText(y, m, d); }};
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
    if (sources.holidayName) cell.holidayName = sources.holidayName(sel.year, sel.month, cell.day);
    cell.holiday = !cell.holidayName.isEmpty();
    if (sources.marks) cell.marks = sources.marks(sel.year, sel.month, cell.day);
  }
  view.headerLetters = WeekdayLetters(view.weekStart);
  const std::time_t first = MakeLocalTime(sel.year, sel.month, 1, 8);
  view.title = FormatLocalTime(width < kShortTitleBelowWidth ? "%b, %Y" : "%B, %Y", first);
  return view;
}

LocalDate MonthCellDate(const MonthView& view, int cell) {
  int first = 0;
  while (first < kMonthCells && !view.cells[first].inMonth) ++first;
  const std::time_t firstOfMonth = MakeLocalTime(view.year, view.month, 1, 12);
  return LocalDateOf(AddDays(firstOfMonth, cell - first));
}

QString MonthCellName(const MonthView& view, int cell, int dateFormat) {
  const LocalDate d = MonthCellDate(view, cell);
  const std::time_t noon = MakeLocalTime(d.year, d.month, d.day, 12);
  return FormatLocalTime("%A, ", noon) + FormatLocalTime(DateFormatPattern(dateFormat), noon);
}

QString MonthCellDescription(const MonthCellView& cell) {
  QStringList parts;
  if (cell.today) parts << QStringLiteral("today");
  if (cell.marks.reminders) parts << QStringLiteral("reminders");
  if (cell.marks.diary) parts << QStringLiteral("diary page");
  if (cell.marks.sound) parts << QStringLiteral("sound diary");
  if (cell.holiday) parts << cell.holidayName;
  return parts.join(QStringLiteral(", "));
}

}  // namespace orlane
