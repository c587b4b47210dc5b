#include "calendar/month_grid.h"
#include "calendar/month_view.h"
#include "days/day_files.h"
#include "platform/local_time.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QFile>

#include <set>

namespace orlane {
namespace {

LocalDate DateOf(std::time_t t) {
  return LocalDateOf(t);
}
bool Same(const LocalDate& a, int y, int m, int d) {
  return a.year == y && a.month == m && a.day == d;
}

TEST(MonthCells, mainWindowSize_givesSharedBordersAndMargins) {
  const MonthCellRects cells = ComputeMonthCells(178, 142);  // I = 24, J = 5, L = 16
  EXPECT_EQ(cells[0], (CellRect{5, 23, 30, 40}));
  EXPECT_EQ(cells[8], (CellRect{29, 39, 54, 56}));
  EXPECT_EQ(cells[41], (CellRect{149, 103, 174, 120}));
  EXPECT_EQ(cells[0].right - 1, cells[1].left);  // neighbours share a line
  EXPECT_EQ(cells[0].bottom - 1, cells[7].top);
  EXPECT_TRUE(IsSmallCell(cells[0]));
  EXPECT_FALSE(IsSmallCell(ComputeMonthCells(400, 300)[0]));
}

TEST(MonthCells, hitTest_takesTheFirstCellOnASharedLine) {
  const MonthCellRects cells = ComputeMonthCells(178, 142);
  EXPECT_EQ(MonthCellAt(cells, 29, 30), 0);  // the line between 0 and 1
  EXPECT_EQ(MonthCellAt(cells, 30, 30), 1);
  EXPECT_EQ(MonthCellAt(cells, 4, 30), -1);
  EXPECT_EQ(MonthCellAt(cells, 10, 10), -1);  // header bar
  EXPECT_EQ(MonthCellAt(cells, 173, 119), 41);
  EXPECT_EQ(MonthCellAt(cells, 174, 119), -1);
}

TEST(MonthButtons, sitAtTheBottomRight21PixelsApart) {
  const MonthButtonRects b = ComputeMonthButtons(178, 142);
  EXPECT_EQ(b.next, (CellRect{156, 122, 174, 139}));
  EXPECT_EQ(b.prev, (CellRect{135, 122, 153, 139}));
  EXPECT_EQ(b.today, (CellRect{114, 122, 132, 139}));
  EXPECT_EQ(b.next.width(), 18);
  EXPECT_EQ(b.next.height(), 17);
}

TEST(MonthDays, march2005_sundayAndMondayWeeks) {
  const MonthDays sunday = ComputeMonthDays(2005, 3, kWeekStartsSunday);  // 1 March 2005 is a Tuesday
  EXPECT_EQ(sunday.firstOfMonth, 2);
  EXPECT_EQ(sunday.day[0], 27);
  EXPECT_EQ(sunday.day[1], 28);
  EXPECT_EQ(sunday.day[2], 1);
  EXPECT_EQ(sunday.day[32], 31);
  EXPECT_EQ(sunday.day[33], 1);
  EXPECT_EQ(sunday.day[41], 9);
  const MonthDays monday = ComputeMonthDays(2005, 3, kWeekStartsMonday);
  EXPECT_EQ(monday.firstOfMonth, 1);
  EXPECT_EQ(monday.day[0], 28);
}

TEST(MonthDays, monthBeginningOnTheWeekStart_showsAWholeWeekBefore) {
  const MonthDays feb2009 = ComputeMonthDays(2009, 2, kWeekStartsSunday);  // a Sunday, 28 days
  EXPECT_EQ(feb2009.firstOfMonth, 7);
  EXPECT_EQ(feb2009.day[0], 25);
  EXPECT_EQ(feb2009.day[6], 31);
  EXPECT_EQ(feb2009.day[34], 28);
  EXPECT_EQ(feb2009.day[41], 7);
  const MonthDays june2009 = ComputeMonthDays(2009, 6, kWeekStartsMonday);  // a Monday
  EXPECT_EQ(june2009.firstOfMonth, 7);
  EXPECT_EQ(june2009.day[0], 25);
  // The longest case still fits: 7 before + 31 days.
  const MonthDays aug2010 = ComputeMonthDays(2010, 8, kWeekStartsSunday);
  EXPECT_EQ(aug2010.firstOfMonth, 7);
  EXPECT_EQ(aug2010.day[37], 31);
  EXPECT_EQ(aug2010.day[41], 4);
}

TEST(MonthDays, januaryTakesDecemberOfThePreviousYear) {
  const MonthDays jan2005 = ComputeMonthDays(2005, 1, kWeekStartsSunday);  // a Saturday
  EXPECT_EQ(jan2005.firstOfMonth, 6);
  EXPECT_EQ(jan2005.day[0], 26);
  EXPECT_EQ(jan2005.day[5], 31);
}

TEST(WeekLayout, weekendColumnsAndHeaderLetters) {
  EXPECT_EQ(WeekdayLetters(kWeekStartsSunday), QStringLiteral("SMTWTFS"));
  EXPECT_EQ(WeekdayLetters(kWeekStartsMonday), QStringLiteral("MTWTFSS"));
  std::set<int> sunday, monday;
  for (int c = 0; c < 7; ++c) {
    if (IsWeekendColumn(c, kWeekStartsSunday)) sunday.insert(c);
    if (IsWeekendColumn(c, kWeekStartsMonday)) monday.insert(c);
  }
  EXPECT_EQ(sunday, (std::set<int>{0, 6}));
  EXPECT_EQ(monday, (std::set<int>{5, 6}));
}

TEST(MonthSteps, nextAndPrevMonth_clampToTheLastDay) {
  EXPECT_TRUE(Same(DateOf(NextMonth(MakeLocalTime(2005, 1, 31, 12))), 2005, 2, 28));
  EXPECT_TRUE(Same(DateOf(NextMonth(MakeLocalTime(2004, 1, 31, 12))), 2004, 2, 29));
  EXPECT_TRUE(Same(DateOf(PrevMonth(MakeLocalTime(2005, 3, 31, 12))), 2005, 2, 28));
  EXPECT_TRUE(Same(DateOf(PrevMonth(MakeLocalTime(2005, 1, 15, 12))), 2004, 12, 15));
  EXPECT_TRUE(Same(DateOf(NextMonth(MakeLocalTime(2005, 12, 31, 12))), 2006, 1, 31));
  EXPECT_TRUE(Same(DateOf(NextMonth(MakeLocalTime(2005, 5, 31, 12))), 2005, 6, 30));
}

TEST(MonthSteps, daysAcrossDaylightSaving_keepTheCalendarDayAndTime) {
  // 27 March 2005 has 23 hours in Berlin; 30 October 2005 has 25.
  const std::time_t spring = MakeLocalTime(2005, 3, 28, 0, 0, 10);
  const std::time_t back = AddDays(spring, -1);
  EXPECT_TRUE(Same(DateOf(back), 2005, 3, 27));
  EXPECT_EQ(LocalTm(back).tm_hour, 0);
  EXPECT_TRUE(Same(DateOf(AddDays(MakeLocalTime(2005, 10, 30, 23, 30), 1)), 2005, 10, 31));
  EXPECT_TRUE(Same(DateOf(AddDays(MakeLocalTime(2005, 3, 26, 0, 0, 10), 7)), 2005, 4, 2));
  EXPECT_TRUE(Same(DateOf(AddDays(MakeLocalTime(2005, 1, 3, 8), -7)), 2004, 12, 27));
}

TEST(CellClick, lateDayInTheFirstRow_selectsThePreviousMonth) {
  // April 2005, Sunday weeks: cells 0..4 hold 27..31 March.
  const std::time_t selected = MakeLocalTime(2005, 4, 15, 9);
  const std::time_t clicked = DateOfClickedCell(selected, 3, 30);
  EXPECT_TRUE(Same(DateOf(clicked), 2005, 3, 30));
  const std::tm tm = LocalTm(clicked);
  EXPECT_EQ(tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec, 10);
  EXPECT_TRUE(Same(DateOf(DateOfClickedCell(MakeLocalTime(2005, 5, 31, 9), 5, 30)), 2005, 4, 30));
}

TEST(CellClick, earlyDayInTheLastRows_selectsTheNextMonth) {
  EXPECT_TRUE(Same(DateOf(DateOfClickedCell(MakeLocalTime(2005, 4, 15, 9), 36, 2)), 2005, 5, 2));
  EXPECT_TRUE(Same(DateOf(DateOfClickedCell(MakeLocalTime(2005, 1, 31, 9), 40, 5)), 2005, 2, 5));
  EXPECT_TRUE(Same(DateOf(DateOfClickedCell(MakeLocalTime(2005, 4, 15, 9), 20, 16)), 2005, 4, 16));
}

TEST(MonthView, shownMonthOnly_getsSelectionTodayHolidaysAndMarks) {
  int markCalls = 0;
  MonthSources sources;
  sources.marks = [&](int y, int m, int d) {
    ++markCalls;
    EXPECT_EQ(y, 2005);
    EXPECT_EQ(m, 3);
    return DayMarks{d == 5, d == 6, d == 1};
  };
  sources.holidayName = [](int, int, int d) { return d == 10 || d == 1 ? QStringLiteral("Feast") : QString(); };
  const MonthView view =
      BuildMonthView(MakeLocalTime(2005, 3, 20, 9), MakeLocalTime(2005, 3, 10, 12), kWeekStartsSunday, 178, sources);
  EXPECT_EQ(markCalls, 31);  // one probe (three files) per day of the month, none for the others
  EXPECT_EQ(view.title, QStringLiteral("Mar, 2005"));
  EXPECT_EQ(view.headerLetters, QStringLiteral("SMTWTFS"));
  int selected = 0;
  int today = 0;
  for (int k = 0; k < kMonthCells; ++k) {
    const MonthCellView& c = view.cells[k];
    selected += c.selected;
    today += c.today;
    if (!c.inMonth) {
      EXPECT_FALSE(c.holiday || c.today || c.selected || c.marks.diary || c.marks.reminders || c.marks.sound) << k;
    }
  }
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(today, 1);
  EXPECT_TRUE(view.cells[2 + 19].selected);
  EXPECT_TRUE(view.cells[2 + 9].today && view.cells[2 + 9].holiday);
  EXPECT_TRUE(view.cells[2 + 4].marks.diary);
  EXPECT_FALSE(view.cells[33].holiday);  // the next month's 1st

  // Spoken: neighbours carry their own month's date; the description lists
  // what the day has.
  EXPECT_EQ(MonthCellName(view, 0, 0), QStringLiteral("Sunday, 02-27-2005"));
  EXPECT_EQ(MonthCellName(view, 2 + 19, 2), QStringLiteral("Sunday, 2005-03-20"));
  EXPECT_EQ(MonthCellName(view, 41, 1), QStringLiteral("Saturday, 09-04-2005"));
  EXPECT_EQ(MonthCellDescription(view.cells[2 + 9]), QStringLiteral("today, Feast"));
  EXPECT_EQ(MonthCellDescription(view.cells[2 + 0]), QStringLiteral("sound diary, Feast"));
  EXPECT_EQ(MonthCellDescription(view.cells[2 + 5]), QStringLiteral("reminders"));
  EXPECT_EQ(MonthCellDescription(view.cells[2 + 4]), QStringLiteral("diary page"));
  EXPECT_EQ(MonthCellDescription(view.cells[33]), QString());
}

TEST(MonthView, otherMonthThanToday_hasNoTodayAndWideControlsSpellTheMonth) {
  const MonthView view = BuildMonthView(MakeLocalTime(2005, 4, 20, 9), MakeLocalTime(2005, 3, 10, 12),
                                        kWeekStartsMonday, 201, MonthSources{});
  for (const MonthCellView& c : view.cells) EXPECT_FALSE(c.today);
  EXPECT_EQ(view.title, QStringLiteral("April, 2005"));
  EXPECT_EQ(view.headerLetters, QStringLiteral("MTWTFSS"));
}

TEST(DayMarksOnDisk, existenceOfEachDayFile_setsItsMark) {
  test::TempUserFolder user;
  const QString key = MakeDayKey(2005, 3, 5);
  user.write(key + QStringLiteral(".dia"), "x");
  user.write(key + QStringLiteral(".rec"), "x");
  const DayMarks marks = DayMarksOnDisk(2005, 3, 5);
  EXPECT_TRUE(marks.diary);
  EXPECT_FALSE(marks.reminders);
  EXPECT_TRUE(marks.sound);
  const DayMarks none = DayMarksOnDisk(2005, 3, 6);
  EXPECT_FALSE(none.diary || none.reminders || none.sound);
}

}  // namespace
}  // namespace orlane
