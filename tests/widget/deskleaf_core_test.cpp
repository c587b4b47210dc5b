// The desk widget's rules without a window: layouts of every panel
// combination at both sizes, the opacity steps, the caption, the reminder
// text and the turn of the day.
#include "calendar/holiday_test_folder.h"
#include "days/day_files.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"
#include "support/temp_user_folder.h"
#include "widget/deskleaf_layout.h"
#include "widget/deskleaf_model.h"
#include "widget/deskleaf_reminders.h"
#include "widget/desktop_limits.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
const QRect kScreen(0, 0, 1280, 1024);

DeskleafSettings Panels(bool calendar, bool clock, bool reminders, bool small) {
  DeskleafSettings s;
  s.showCalendar = calendar;
  s.showClock = clock;
  s.showReminders = reminders;
  if (small) ToggleDeskleafSize(s);
  return s;
}

struct LayoutCase {
  bool calendar, clock, reminders, small;
  QRect window;  // from a first start: right edge 1260, top 20
};
}  // namespace

TEST(DeskleafLayout, everyCombinationAtBothSizesFromAFirstStart) {
  const LayoutCase cases[] = {
      {true, true, true, false, QRect(909, 20, 351, 230)},    {true, true, false, false, QRect(909, 20, 351, 230)},
      {true, false, true, false, QRect(909, 20, 351, 230)},   {true, false, false, false, QRect(909, 20, 239, 230)},
      {false, true, true, false, QRect(1148, 20, 112, 230)},  {false, true, false, false, QRect(1148, 20, 112, 118)},
      {false, false, true, false, QRect(1148, 20, 112, 230)}, {false, false, false, false, QRect(1148, 20, 112, 19)},
      {true, true, true, true, QRect(1008, 20, 252, 150)},    {true, true, false, true, QRect(1008, 20, 252, 150)},
      {true, false, true, true, QRect(1008, 20, 252, 150)},   {true, false, false, true, QRect(1008, 20, 173, 150)},
      {false, true, true, true, QRect(1181, 20, 79, 150)},    {false, true, false, true, QRect(1181, 20, 79, 85)},
      {false, false, true, true, QRect(1181, 20, 79, 150)},   {false, false, false, true, QRect(1181, 20, 79, 19)},
  };
  for (const LayoutCase& c : cases) {
    const DeskleafLayout l = ComputeDeskleafLayout(Panels(c.calendar, c.clock, c.reminders, c.small), kScreen);
    SCOPED_TRACE(testing::Message() << c.calendar << c.clock << c.reminders << " small " << c.small);
    EXPECT_EQ(QRect(l.left, l.top, l.width(), l.height()), c.window);
    const DeskleafPanelRects& p = l.panels;
    EXPECT_EQ(p.calendarShown, c.calendar);
    EXPECT_EQ(p.clockShown, c.clock);
    EXPECT_EQ(p.remindersShown, c.clock || c.reminders);
    EXPECT_EQ(p.captionShown, !c.calendar || c.clock || c.reminders);
    if (c.calendar) {
      EXPECT_EQ(p.calendar, c.small ? QRect(1, 1, 171, 148) : QRect(1, 1, 237, 228));
    }
  }

  // The panels of the big and the small widget with everything shown.
  DeskleafPanelRects p = ComputeDeskleafLayout(Panels(true, true, true, false), kScreen).panels;
  EXPECT_EQ(p.caption, QRect(238, 1, 111, 15));
  EXPECT_EQ(p.clock, QRect(238, 16, 111, 100));
  EXPECT_EQ(p.reminders, QRect(238, 116, 111, 112));
  p = ComputeDeskleafLayout(Panels(true, true, true, true), kScreen).panels;
  EXPECT_EQ(p.caption, QRect(172, 1, 78, 15));
  EXPECT_EQ(p.clock, QRect(172, 16, 78, 67));
  EXPECT_EQ(p.reminders, QRect(172, 83, 78, 65));
  // Without the clock the reminders start under the caption.
  EXPECT_EQ(ComputeDeskleafLayout(Panels(true, false, true, false), kScreen).panels.reminders,
            QRect(238, 17, 111, 211));
  // Without the calendar the column fills the window.
  p = ComputeDeskleafLayout(Panels(false, true, true, false), kScreen).panels;
  EXPECT_EQ(p.caption, QRect(2, 1, 108, 15));
  EXPECT_EQ(p.clock, QRect(2, 16, 108, 100));
  EXPECT_EQ(p.reminders, QRect(2, 116, 108, 112));
}

TEST(DeskleafLayout, keepsTheRightEdgeExceptForTheCalendarAlone_andComesBackOnScreen) {
  DeskleafSettings s = Panels(false, true, true, false);
  s.left = 100;
  s.top = 50;
  s.right = 451;
  s.bottom = 280;
  DeskleafLayout l = ComputeDeskleafLayout(s, kScreen);
  EXPECT_EQ(QRect(l.left, l.top, l.width(), l.height()), QRect(339, 50, 112, 230));
  s = Panels(true, false, false, false);
  s.left = 100;
  s.top = 50;
  s.right = 451;
  s.bottom = 280;
  l = ComputeDeskleafLayout(s, kScreen);
  EXPECT_EQ(QRect(l.left, l.top, l.width(), l.height()), QRect(100, 50, 239, 230));

  // A place on a screen that is gone starts again at the top right; a second
  // screen of the desktop keeps it.
  s = Panels(true, true, true, false);
  s.left = 3000;
  s.top = 50;
  s.right = 3351;
  s.bottom = 280;
  l = ComputeDeskleafLayout(s, kScreen);
  EXPECT_EQ(QRect(l.left, l.top, l.width(), l.height()), QRect(909, 20, 351, 230));
  l = ComputeDeskleafLayout(s, kScreen, QRect(0, 0, 3840, 1080));
  EXPECT_EQ(l.left, 3000);
  s.left = INT32_MIN;
  s.right = INT32_MAX;
  EXPECT_EQ(ComputeDeskleafLayout(s, kScreen).width(), 351);

  EXPECT_STREQ(SizeItemText(s), "Small size");
  ToggleDeskleafSize(s);
  EXPECT_EQ(s.width, 252);
  EXPECT_EQ(s.height, 150);
  EXPECT_STREQ(SizeItemText(s), "Big size");
  ToggleDeskleafSize(s);
  EXPECT_EQ(s.width, 351);
  EXPECT_EQ(s.height, 230);
}

TEST(DeskleafModel, opacityStepsAndTheirMenuStates) {
  std::uint8_t o = 195;
  for (int i = 0; i < 10; ++i) o = OpacityAfter(o, OpacityAction::PageDown);
  EXPECT_EQ(o, 95);
  EXPECT_TRUE(CanBeMoreTransparent(o));
  o = OpacityAfter(o, OpacityAction::PageDown);
  EXPECT_EQ(o, 85);
  EXPECT_FALSE(CanBeMoreTransparent(o));
  EXPECT_EQ(OpacityAfter(o, OpacityAction::PageDown), 85);
  EXPECT_EQ(OpacityAfter(o, OpacityAction::MoreOpaque), 95);
  EXPECT_EQ(OpacityAfter(245, OpacityAction::PageUp), 255);
  EXPECT_FALSE(CanBeMoreOpaque(255));
  EXPECT_EQ(OpacityAfter(255, OpacityAction::PageUp), 255);
  EXPECT_EQ(OpacityAfter(255, OpacityAction::MoreTransparent), 245);
  // Values off the grid from a file stay in range instead of wrapping.
  EXPECT_EQ(OpacityAfter(250, OpacityAction::MoreOpaque), 255);
  EXPECT_EQ(OpacityAfter(86, OpacityAction::PageDown), 85);
  EXPECT_EQ(OpacityAfter(40, OpacityAction::PageDown), 40);
}

TEST(DeskleafModel, menuFlagsCaptionAndDesktopLimits) {
  DeskleafSettings s;
  EXPECT_TRUE(DeskleafItemChecked(s, deskleaf_ids::kStayTopmost));
  EXPECT_TRUE(ToggleDeskleafFlag(s, deskleaf_ids::kStayTopmost));
  EXPECT_EQ(s.stayTopmost, 0);
  EXPECT_FALSE(ToggleDeskleafFlag(s, deskleaf_ids::kGotoToday));
  EXPECT_FALSE(DeskleafItemChecked(s, deskleaf_ids::kSize));

  const std::time_t t = MakeLocalTime(2005, 3, 16, 9, 5, 30);
  EXPECT_EQ(DeskleafCaption(t, true, 0), QStringLiteral("03/16 09:05"));
  EXPECT_EQ(DeskleafCaption(t, true, 1), QStringLiteral("16/03 09:05"));
  EXPECT_EQ(DeskleafCaption(t, true, 2), QStringLiteral("03/16 09:05"));
  EXPECT_EQ(DeskleafCaption(t, true, 3), QString());
  // The big size's date follows the date format too.
  EXPECT_EQ(DeskleafCaption(t, false, 0), QStringLiteral("03/16/05 09:05:30"));
  EXPECT_EQ(DeskleafCaption(t, false, 1), QStringLiteral("16/03/05 09:05:30"));
  EXPECT_EQ(DeskleafCaption(t, false, 2), QStringLiteral("05/03/16 09:05:30"));

  EXPECT_EQ(DesktopLimitsFor(QStringLiteral("xcb"), true), DesktopLimits{});
  const DesktopLimits bare = DesktopLimitsFor(QStringLiteral("xcb"), false);
  EXPECT_FALSE(bare.opacity);
  EXPECT_TRUE(bare.stacking);
  EXPECT_TRUE(bare.opacityReason.contains(QStringLiteral("compositing")));
  const DesktopLimits wayland = DesktopLimitsFor(QStringLiteral("wayland-egl"), true);
  EXPECT_FALSE(wayland.opacity || wayland.stacking || wayland.placement);
  EXPECT_FALSE(wayland.stackingReason.isEmpty());
}

TEST(DeskleafReminders, textOfBothSizesWithDateAndHolidayLines) {
  ReminderMap map;
  map["08:30:00"] = QByteArray(kActiveMarker) + "\r\nDentist";
  map["07:15:00"] = QByteArray(kBeepOnly) + kActiveMarker + kRepeatMarker + "\r\nWake\r\nup";
  map["09:00:00"] = "\r\nquote: <Alarm is active> here";  // not active, though the note names the marker
  map["10:00:00"] = "\r\nlong past";                      // not active
  map["11:00:00"] = kActiveMarker;                        // no line break: no head, so not active
  DeskleafReminderInput in;
  in.now = MakeLocalTime(2005, 3, 16, 9, 5, 30);
  in.widgetDate = MakeLocalTime(2005, 3, 16, 0, 0, 0);
  in.small = true;
  EXPECT_EQ(BuildDeskleafReminderText(map, in), QStringLiteral("*07:15\r\nWake\r\nup\r\n*08:30\r\nDentist\r\n"));
  in.small = false;
  map.erase("07:15:00");
  map.erase("11:00:00");
  EXPECT_EQ(BuildDeskleafReminderText(map, in), QStringLiteral("*08:30:00\r\nDentist\r\n\r\n"));
  // Another day names itself; a holiday comes first; hidden reminders show nothing.
  in.widgetDate = MakeLocalTime(2005, 3, 25, 12, 0, 0);
  in.holiday = QStringLiteral("Good Friday");
  EXPECT_EQ(BuildDeskleafReminderText(map, in),
            QStringLiteral("Good Friday\r\n 03-25-2005\r\n*08:30:00\r\nDentist\r\n\r\n"));
  EXPECT_EQ(BuildDeskleafReminderText({{"10:00:00", "\r\nx"}}, in), QStringLiteral("Good Friday\r\n"));
  in.showReminders = false;
  EXPECT_EQ(BuildDeskleafReminderText(map, in), QString());
}

TEST(DeskleafReminders, readFromTheDayFileAndTheHolidayFile_fileUntouched) {
  test::TempUserFolder user;
  test::HolidayTestFolder holidays;
  holidays.write(2005, "03/25\r\nGood Friday\r\n");
  const std::time_t day = MakeLocalTime(2005, 3, 25, 12);
  ReminderMap map{{"08:30:00", QByteArray(kActiveMarker) + "\r\nHi"}};
  const QString path = user.file(DayKeyOf(day) + QStringLiteral(".alm"));
  ASSERT_EQ(SaveReminderDay(path, map), WriteResult::Written);
  const QByteArray before = user.read(DayKeyOf(day) + QStringLiteral(".alm"));
  DeskleafReminderInput in;
  in.widgetDate = day;
  in.now = day;
  in.small = true;
  EXPECT_EQ(LoadDeskleafReminderText(user.user(), in), QStringLiteral("Good Friday\r\n*08:30\r\nHi\r\n"));
  EXPECT_EQ(user.read(DayKeyOf(day) + QStringLiteral(".alm")), before);
  in.widgetDate = day + 86400;  // no file, no holiday
  EXPECT_EQ(LoadDeskleafReminderText(user.user(), in), QString());
  user.write(DayKeyOf(day) + QStringLiteral(".alm"), before.left(12));  // damaged: nothing whole to show
  in.widgetDate = day;
  EXPECT_EQ(LoadDeskleafReminderText(user.user(), in), QStringLiteral("Good Friday\r\n"));
}

TEST(DeskleafModel, theFirstTickOfANewDayRefreshes) {
  const std::time_t evening = MakeLocalTime(2005, 3, 16, 23, 59, 59);
  const std::time_t midnight = MakeLocalTime(2005, 3, 17, 0, 0, 0);
  const std::time_t morning = MakeLocalTime(2005, 3, 16, 8, 0, 0);
  EXPECT_FALSE(DecideDayTurn(0, evening, morning).refresh);  // the first tick
  EXPECT_FALSE(DecideDayTurn(evening - 1, evening, morning).refresh);
  DeskleafDayTurn turn = DecideDayTurn(evening, midnight, morning);
  EXPECT_TRUE(turn.refresh);
  EXPECT_TRUE(turn.tellMainWindow);
  EXPECT_EQ(turn.widgetDate, midnight);
  // A machine that slept through midnight still turns the day.
  EXPECT_TRUE(DecideDayTurn(evening - 5, midnight + 3600, morning).refresh);
  // A widget showing another day stays there and only refreshes its text.
  const std::time_t other = MakeLocalTime(2005, 4, 1, 12);
  turn = DecideDayTurn(evening, midnight, other);
  EXPECT_TRUE(turn.refresh);
  EXPECT_FALSE(turn.tellMainWindow);
  EXPECT_EQ(turn.widgetDate, other);
}
