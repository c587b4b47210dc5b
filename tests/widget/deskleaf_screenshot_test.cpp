// Writes pictures of the desk widget at both sizes, with every combination
// of its panels, in two themes, into the build folder (screenshots/) for a
// person to look at. The window's rounded shape is kept as transparency.
// Checks the pictures' sizes and a few pixels of each.
#include "calendar/holiday_test_folder.h"
#include "controls/gdi_painter.h"
#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"
#include "support/temp_user_folder.h"
#include "widget/deskleaf_dlg.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QPainter>

using namespace orlane;

namespace {
QImage Shaped(QWidget& window) {
  QImage image = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion shape = window.mask();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!shape.contains(QPoint(x, y))) image.setPixel(x, y, qRgba(0, 0, 0, 0));
  return image;
}
}  // namespace

TEST(DeskleafScreenshots, bothSizesEveryPanelCombinationTwoThemes) {
  TestClock now(static_cast<qint64>(MakeLocalTime(2005, 3, 16, 10, 9, 30)) * 1000);
  test::TempUserFolder user;
  test::HolidayTestFolder holidays;
  holidays.write(2005, "03/16\r\nFounders Day\r\n03/25\r\nGood Friday\r\n03/28\r\nEaster Monday");
  const std::time_t today = NowSeconds();
  ReminderMap map{{"08:30:00", QByteArray(kActiveMarker) + "\r\nDentist"},
                  {"12:15:00", QByteArray(kBeepOnly) + kActiveMarker + "\r\nLunch with Anna at the corner cafe"},
                  {"18:00:00", "\r\nGym (done)"}};
  ASSERT_EQ(SaveReminderDay(user.file(DayKeyOf(today) + QStringLiteral(".alm")), map), WriteResult::Written);
  for (int day : {3, 9, 21}) user.write(MakeDayKey(2005, 3, day) + QStringLiteral(".dia"), "x");
  for (int day : {9, 30}) user.write(MakeDayKey(2005, 3, day) + QStringLiteral(".rec"), "x");

  const QString folder = QStringLiteral(ORLANE_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  int written = 0;
  for (int theme : {1, 6}) {
    for (bool small : {false, true}) {
      for (int panels = 0; panels < 8; ++panels) {
        DeskleafSettings s;
        s.showCalendar = (panels & 4) != 0;
        s.showClock = (panels & 2) != 0;
        s.showReminders = (panels & 1) != 0;
        if (small) ToggleDeskleafSize(s);
        user.write(QStringLiteral("Deskleaf.cfg"), SerializeDeskleafSettings(s));
        DeskleafContext context;
        context.userFolder = user.user();
        context.theme = theme;
        context.screen = [] { return QRect(0, 0, 1280, 1024); };
        context.desktop = context.screen;
        context.limits = DesktopLimits{};
        CDeskleafDlg dlg(context);
        dlg.setAttribute(Qt::WA_DeleteOnClose, false);
        dlg.OnTick();
        const QImage image = Shaped(dlg);
        EXPECT_EQ(image.size(), dlg.size());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // a rounded corner
        EXPECT_EQ(image.pixel(0, image.height() / 2), ToQColor(ThemeColor(theme, kThemeShadow)).rgb());
        QString name = QStringLiteral("deskleaf-theme%1-%2").arg(theme).arg(small ? "small" : "big");
        name += s.showCalendar ? QStringLiteral("-calendar") : QString();
        name += s.showClock ? QStringLiteral("-clock") : QString();
        name += s.showReminders ? QStringLiteral("-reminders") : QString();
        if (panels == 0) name += QStringLiteral("-caption");
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        ++written;
      }
    }
  }
  EXPECT_EQ(written, 32);
}
