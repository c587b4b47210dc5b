#include "calendar/month_calendar.h"
#include "calendar/holiday_file.h"
#include "controls/mac_button.h"
#include "days/day_files.h"
#include "holiday_test_folder.h"
#include "pixel_probe.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace orlane {
namespace {

using test::CountColorIn;
using test::PixelAt;

constexpr int kTheme = 1;

class MonthCalendarTest : public ::testing::Test {
 protected:
  MonthCalendarTest() : clock_(static_cast<qint64>(MakeLocalTime(2005, 3, 10, 12)) * 1000) {}

  std::unique_ptr<CMonthCalendar> Make(int w, int h, std::time_t selected, int weekStart = kWeekStartsSunday) {
    auto cal = std::make_unique<CMonthCalendar>();
    cal->SetSelectedDate(selected);
    cal->weekStart = weekStart;
    cal->Create(QRect(0, 0, w, h), nullptr);
    cal->SetTheme(kTheme);
    return cal;
  }
  static ColorRef Color(int column) { return ThemeColor(kTheme, column); }
  static QPoint Centre(const CellRect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2 + 6); }

  test::TempUserFolder user_;
  test::HolidayTestFolder holidays_;
  TestClock clock_;
};

TEST_F(MonthCalendarTest, create_makesTheButtonsWithTooltipsAndFirstImage) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 3, 20, 9));
  EXPECT_EQ(cal->Image().size(), QSize(178, 142));
  ASSERT_TRUE(cal->Button(CMonthCalendar::kIdNextMonth));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdNextMonth)->geometry(), QRect(156, 122, 18, 17));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdPrevMonth)->geometry(), QRect(135, 122, 18, 17));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdToday)->geometry(), QRect(114, 122, 18, 17));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdNextMonth)->toolTip(), QStringLiteral("Next month"));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdPrevMonth)->toolTip(), QStringLiteral("Previous month"));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdToday)->toolTip(), QStringLiteral("Goto today"));
  EXPECT_EQ(cal->Button(CMonthCalendar::kIdToday)->Theme(), kTheme);
  EXPECT_EQ(cal->View().title, QStringLiteral("Mar, 2005"));
}

TEST_F(MonthCalendarTest, pixels_selectedWeekendAndOrdinaryCellsInSundayWeeks) {
  auto cal = Make(400, 300, MakeLocalTime(2005, 3, 16, 9));  // a Wednesday, cell 17 (column 3)
  const QImage& img = cal->Image();
  const MonthCellRects& cells = cal->Cells();
  const QPoint sel = Centre(cells[17]);
  EXPECT_EQ(PixelAt(img, sel.x(), sel.y()), Color(3));
  const QPoint sun = Centre(cells[14]);
  const QPoint sat = Centre(cells[20]);
  const QPoint mon = Centre(cells[15]);
  EXPECT_EQ(PixelAt(img, sun.x(), sun.y()), Color(1));
  EXPECT_EQ(PixelAt(img, sat.x(), sat.y()), Color(1));
  EXPECT_EQ(PixelAt(img, mon.x(), mon.y()), Color(2));
  EXPECT_EQ(PixelAt(img, cells[15].left, sun.y()), Color(3));  // the shared outline
  EXPECT_EQ(PixelAt(img, cells[3].left + 3, 5), Color(3));     // header bar
  EXPECT_EQ(PixelAt(img, 2, 150), Color(1));                   // background
}

TEST_F(MonthCalendarTest, pixels_mondayWeeksFillColumnsFiveAndSixAndReadMTWTFSS) {
  auto cal = Make(400, 300, MakeLocalTime(2005, 3, 16, 9), kWeekStartsMonday);
  const QImage& img = cal->Image();
  const MonthCellRects& cells = cal->Cells();
  for (int c = 0; c < 7; ++c) {
    const int cell = 21 + c;
    if (cal->View().cells[cell].selected) continue;
    const QPoint p = Centre(cells[cell]);
    EXPECT_EQ(PixelAt(img, p.x(), p.y()), Color(c >= 5 ? 1 : 2)) << c;
  }
  EXPECT_EQ(cal->View().headerLetters, QStringLiteral("MTWTFSS"));
  // Each header letter is drawn inside its column's box on the colour-3 bar.
  auto sunday = Make(400, 300, MakeLocalTime(2005, 3, 16, 9), kWeekStartsSunday);
  for (int c = 0; c < 7; ++c) {
    const CellRect& r = cells[c];
    const QImage& s = sunday->Image();
    EXPECT_LT(CountColorIn(img, r.left, 2, r.right, 16, Color(3)), r.width() * 14) << c;
    const bool sameLetter = QStringLiteral("MTWTFSS")[c] == QStringLiteral("SMTWTFS")[c];
    EXPECT_EQ(img.copy(r.left, 2, r.width(), 14) == s.copy(r.left, 2, r.width(), 14), sameLetter) << c;
  }
}

TEST_F(MonthCalendarTest, pixels_smallMarksOfADayWithAllThreeFiles) {
  const QString key = MakeDayKey(2005, 3, 9);
  for (const char* ext : {".dia", ".alm", ".rec"}) user_.write(key + QLatin1String(ext), "x");
  auto cal = Make(178, 142, MakeLocalTime(2005, 3, 20, 9));
  const QImage& img = cal->Image();
  const CellRect& c = cal->Cells()[2 + 8];  // the 9th
  ASSERT_TRUE(IsSmallCell(c));
  EXPECT_EQ(PixelAt(img, c.right - 6, c.top + 2), Color(4));   // square outline
  EXPECT_EQ(PixelAt(img, c.right - 4, c.top + 4), Color(2));   // square inside
  EXPECT_EQ(PixelAt(img, c.right - 4, c.top + 7), Color(4));   // circle's top
  EXPECT_EQ(PixelAt(img, c.right - 4, c.top + 9), Color(2));   // circle inside
  EXPECT_EQ(PixelAt(img, c.right - 4, c.top + 13), Color(4));  // bar, filled
  // The day after has no files: the same places are the cell's fill.
  const CellRect& n = cal->Cells()[2 + 9];
  EXPECT_EQ(PixelAt(img, n.right - 6, n.top + 2), Color(2));
  EXPECT_EQ(PixelAt(img, n.right - 4, n.top + 13), Color(2));
}

TEST_F(MonthCalendarTest, pixels_largeCellsShowIcons_neighbourMonthsNone) {
  const QString key = MakeDayKey(2005, 3, 9);
  for (const char* ext : {".dia", ".alm", ".rec"}) user_.write(key + QLatin1String(ext), "x");
  user_.write(MakeDayKey(2005, 4, 1) + QStringLiteral(".dia"), "x");  // shown in the last rows
  auto cal = Make(400, 300, MakeLocalTime(2005, 3, 20, 9));
  const QImage& img = cal->Image();
  const CellRect& c = cal->Cells()[2 + 8];
  EXPECT_LT(CountColorIn(img, c.right - 16, c.top + 2, c.right - 4, c.top + 14, Color(2)), 144);
  EXPECT_LT(CountColorIn(img, c.left + 2, c.bottom - 14, c.left + 14, c.bottom - 2, Color(2)), 144);
  EXPECT_LT(CountColorIn(img, c.right - 16, c.bottom - 14, c.right - 4, c.bottom - 2, Color(2)), 144);
  const CellRect& april = cal->Cells()[33];  // Friday column, an ordinary cell
  EXPECT_EQ(CountColorIn(img, april.right - 16, april.top + 2, april.right - 4, april.top + 14, Color(2)), 144);
}

TEST_F(MonthCalendarTest, holidaysBold_todayUnderlined_differInPixels) {
  holidays_.write(2005, "01/01\r\nNew Year\r\n03/22\r\nSome Day\r\n");
  auto cal = Make(400, 300, MakeLocalTime(2005, 3, 20, 9));
  EXPECT_TRUE(cal->View().cells[2 + 21].holiday);
  EXPECT_TRUE(cal->View().cells[2 + 9].today);
  holidays_.write(2005, "01/01\r\nNew Year\r\n");
  ForgetHolidayFiles();
  auto plain = Make(400, 300, MakeLocalTime(2005, 3, 20, 9));
  const CellRect& h = cal->Cells()[2 + 21];
  EXPECT_NE(cal->Image().copy(h.left, h.top, h.width(), h.height()),
            plain->Image().copy(h.left, h.top, h.width(), h.height()));
  // Bold is seen: the number draws clearly more ink than the regular one.
  auto ink = [](const QImage& image, const CellRect& c) {
    return CountColorIn(image, c.left, c.top, c.right, c.bottom, Color(4));
  };
  EXPECT_GT(ink(cal->Image(), h) * 100, ink(plain->Image(), h) * 115);
  const CellRect& other = cal->Cells()[2 + 22];
  EXPECT_EQ(cal->Image().copy(other.left, other.top, other.width(), other.height()),
            plain->Image().copy(other.left, other.top, other.width(), other.height()));
}

TEST_F(MonthCalendarTest, clickOnThirtyInTheFirstRow_selectsThePreviousMonthAndPostsOnce) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 4, 15, 9));  // cells 0..4: 27..31 March
  QSignalSpy changed(cal.get(), &CMonthCalendar::dateChanged);
  const CellRect& c = cal->Cells()[3];
  QTest::mouseClick(cal.get(), Qt::LeftButton, {}, QPoint(c.left + 5, c.top + 5));
  const LocalDate d = LocalDateOf(cal->SelectedDate());
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.day, 30);
  EXPECT_EQ(changed.count(), 0);  // posted, not sent
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(cal->View().month, 3);
}

TEST_F(MonthCalendarTest, clickOutsideTheCells_doesNothing) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 4, 15, 9));
  QSignalSpy changed(cal.get(), &CMonthCalendar::dateChanged);
  QTest::mouseClick(cal.get(), Qt::LeftButton, {}, QPoint(60, 8));
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 15);
}

TEST_F(MonthCalendarTest, keys_stepDaysWeeksAndMonths) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 1, 31, 9));
  QSignalSpy changed(cal.get(), &CMonthCalendar::dateChanged);
  QTest::keyClick(cal.get(), Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).month, 2);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 28);
  QTest::keyClick(cal.get(), Qt::Key_Right);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 1);
  QTest::keyClick(cal.get(), Qt::Key_Up);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 22);
  QTest::keyClick(cal.get(), Qt::Key_Down);
  QTest::keyClick(cal.get(), Qt::Key_Left);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 28);
  QTest::keyClick(cal.get(), Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).month, 1);
  QTest::keyClick(cal.get(), Qt::Key_A);  // not the calendar's
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 6);
}

TEST_F(MonthCalendarTest, buttons_navigateAndGoToToday) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 3, 31, 9));
  QSignalSpy changed(cal.get(), &CMonthCalendar::dateChanged);
  cal->Button(CMonthCalendar::kIdPrevMonth)->click();
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).month, 2);
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 28);
  cal->Button(CMonthCalendar::kIdNextMonth)->click();
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).month, 3);
  cal->Button(CMonthCalendar::kIdToday)->click();
  EXPECT_EQ(cal->SelectedDate(), NowSeconds());
  cal->OnCommand(4711);
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 3);
}

TEST_F(MonthCalendarTest, redraw_probesOnlyTheShownMonthsDays) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 2, 10, 9));
  int probes = 0;
  MonthSources sources = DefaultMonthSources();
  sources.marks = [&](int y, int m, int d) {
    ++probes;
    return DayMarksOnDisk(y, m, d);
  };
  cal->SetSourcesForTesting(sources);
  cal->Redraw();
  EXPECT_EQ(probes, 28);
}

TEST_F(MonthCalendarTest, paint_copiesTheMemoryImage) {
  auto cal = Make(178, 142, MakeLocalTime(2005, 3, 20, 9));
  const QImage shown = cal->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage& memory = cal->Image();
  EXPECT_EQ(shown.pixel(60, 60), memory.pixel(60, 60));
  EXPECT_EQ(shown.pixel(20, 130), memory.pixel(20, 130));
}

TEST_F(MonthCalendarTest, setTheme_repaintsInTheNewColoursAndPassesItToTheButtons) {
  auto cal = Make(400, 300, MakeLocalTime(2005, 3, 16, 9));
  cal->SetTheme(3);
  const QPoint sel = Centre(cal->Cells()[17]);
  const QPoint sun = Centre(cal->Cells()[14]);
  EXPECT_EQ(PixelAt(cal->Image(), sel.x(), sel.y()), ThemeColor(3, 3));
  EXPECT_EQ(PixelAt(cal->Image(), sun.x(), sun.y()), ThemeColor(3, 1));
  for (int id : {CMonthCalendar::kIdPrevMonth, CMonthCalendar::kIdNextMonth, CMonthCalendar::kIdToday})
    EXPECT_EQ(cal->Button(id)->Theme(), 3);
  cal->SetTheme(42);  // out of range: the nearest theme
  EXPECT_EQ(cal->Theme(), 9);
}

TEST_F(MonthCalendarTest, tinyAndOddSizes_drawWithoutHarm) {
  for (int w : {1, 7, 9, 30, 61}) {
    for (int h : {1, 19, 46, 47, 90}) {
      auto cal = Make(w, h, MakeLocalTime(2005, 3, 16, 9));
      EXPECT_EQ(cal->Image().size(), QSize(w, h));
      QTest::mouseClick(cal.get(), Qt::LeftButton, {}, QPoint(w / 2, h / 2));
    }
  }
}

TEST_F(MonthCalendarTest, farYears_stillGiveAWholeMonth) {
  for (int year : {1971, 2038, 2099}) {
    auto cal = Make(178, 142, MakeLocalTime(year, 2, 15, 9));
    int inMonth = 0;
    for (const MonthCellView& c : cal->View().cells) inMonth += c.inMonth;
    EXPECT_EQ(inMonth, DaysInMonth(year, 2)) << year;
  }
}

}  // namespace
}  // namespace orlane
