// Writes pictures of the calendar and the clock in two themes, at the main
// window's sizes and at the desk widget's small size, into the build folder
// (screenshots/) for a person to look at; checks only that they were written.
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/color_theme.h"
#include "days/day_files.h"
#include "holiday_test_folder.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QPainter>

namespace orlane {
namespace {

struct Sizes {
  const char* name;
  QSize calendar;
  QSize clock;
};

QImage Shot(int theme, const Sizes& sizes) {
  QWidget host;
  host.resize(sizes.calendar.width() + sizes.clock.width() + 30,
              std::max(sizes.calendar.height(), sizes.clock.height()) + 20);
  CMonthCalendar calendar(&host);
  calendar.weekStart = theme % 2 ? kWeekStartsMonday : kWeekStartsSunday;
  calendar.SetSelectedDate(MakeLocalTime(2005, 3, 16, 9));
  calendar.Create(QRect(QPoint(10, 10), sizes.calendar), &host);
  calendar.SetTheme(theme);
  CAnalogClock clock(&host);
  clock.SetRunning(false);
  clock.setGeometry(QRect(QPoint(sizes.calendar.width() + 20, 10), sizes.clock));
  clock.SetBackgroundColor(ThemeColor(theme, 2));
  clock.SetHandOutlineColor(ThemeColor(theme, 4));
  clock.SetLightEdgeColor(ThemeColor(theme, 2));
  clock.SetHandFillColor(ThemeColor(theme, 3));
  clock.SetDialColor(ThemeColor(theme, 1));
  clock.UpdateTime(10, 9, 30);
  const int first = calendar.weekStart == kWeekStartsMonday ? 1 : 2;
  EXPECT_TRUE(calendar.View().cells[first + 24].holiday);
  EXPECT_TRUE(calendar.View().cells[first + 8].marks.diary);
  host.setStyleSheet(QStringLiteral("background: white"));
  return host.grab().toImage();
}

TEST(Screenshots, calendarAndClock_twoThemesTwoSizes) {
  TestClock now(static_cast<qint64>(MakeLocalTime(2005, 3, 10, 10, 9, 30)) * 1000);
  test::TempUserFolder user;
  test::HolidayTestFolder holidays;
  holidays.write(2005, "01/01\r\nNew Year\r\n03/25\r\nGood Friday\r\n03/28\r\nEaster Monday");
  for (int day : {3, 9, 21}) user.write(MakeDayKey(2005, 3, day) + QStringLiteral(".dia"), "x");
  for (int day : {9, 14}) user.write(MakeDayKey(2005, 3, day) + QStringLiteral(".alm"), "x");
  for (int day : {9, 30}) user.write(MakeDayKey(2005, 3, day) + QStringLiteral(".rec"), "x");

  const QString folder = QStringLiteral(ORLANE_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  const Sizes main{"main", QSize(178, 142), QSize(110, 110)};
  const Sizes small{"widget-small", QSize(171, 148), QSize(78, 67)};
  const Sizes large{"large", QSize(420, 300), QSize(200, 200)};
  for (int theme : {1, 3}) {
    for (const Sizes& s : {main, small, large}) {
      const QImage image = Shot(theme, s);
      const QString path = folder + QStringLiteral("/calendar-theme%1-%2.png").arg(theme).arg(QLatin1String(s.name));
      EXPECT_TRUE(image.save(path)) << path.toStdString();
      EXPECT_TRUE(QFile::exists(path));
    }
  }
}

}  // namespace
}  // namespace orlane
