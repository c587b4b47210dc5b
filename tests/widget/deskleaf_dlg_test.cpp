// The desk widget's window on the offscreen platform with a set clock and a
// 1280 × 1024 screen: first start, the opacity walk and the settings file's
// bytes after each action, the menu, the reminders of both sizes, the day's
// turn, the desktop's limits, a failed write, dragging and the signals.
#include "widget/deskleaf_dlg.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/color_label.h"
#include "controls/gdi_painter.h"
#include "controls/mac_menu.h"
#include "controls/modal_responder.h"
#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/services.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace orlane;

namespace {
using namespace deskleaf_ids;

class DeskleafTest : public ::testing::Test {
 protected:
  DeskleafTest() : clock_(static_cast<qint64>(MakeLocalTime(2005, 3, 16, 9, 5, 30)) * 1000) {}

  DeskleafContext Context(DesktopLimits limits = {}) {
    DeskleafContext c;
    c.userFolder = user_.user();
    c.nowMs = [this] { return clock_.ms(); };
    c.screen = [] { return QRect(0, 0, 1280, 1024); };
    c.desktop = [] { return QRect(0, 0, 1280, 1024); };
    c.limits = limits;
    return c;
  }
  std::unique_ptr<CDeskleafDlg> Make(DesktopLimits limits = {}) {
    auto dlg = std::make_unique<CDeskleafDlg>(Context(limits));
    dlg->setAttribute(Qt::WA_DeleteOnClose, false);  // the test owns it
    return dlg;
  }
  QByteArray File() const { return user_.read(QStringLiteral("Deskleaf.cfg")); }
  static DeskleafSettings Parsed(const QByteArray& bytes) {
    DeskleafSettings s;
    EXPECT_TRUE(ParseDeskleafSettings(bytes, s));
    return s;
  }
  static QRect RectOf(const DeskleafSettings& s) { return QRect(s.left, s.top, s.right - s.left, s.bottom - s.top); }
  void WriteDay(std::time_t day, const ReminderMap& map) {
    ASSERT_EQ(SaveReminderDay(user_.file(DayKeyOf(day) + QStringLiteral(".alm")), map), WriteResult::Written);
  }

  test::TempUserFolder user_;
  TestClock clock_;
};

TEST_F(DeskleafTest, firstStartOpacityWalkAndTheFileAfterEachAction) {
  auto dlg = Make();
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Deskleaf"));
  EXPECT_TRUE(dlg->windowFlags() & Qt::Tool);
  EXPECT_TRUE(dlg->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->geometry(), QRect(909, 20, 351, 230));
  EXPECT_NEAR(dlg->windowOpacity(), 195 / 255.0, 0.01);
  EXPECT_TRUE(dlg->mask().contains(QPoint(3, 3)));
  EXPECT_FALSE(dlg->mask().contains(QPoint(0, 0)));
  EXPECT_FALSE(dlg->mask().contains(QPoint(350, 0)));
  DeskleafSettings expected;
  expected.left = 909;
  expected.top = 20;
  expected.right = 1260;
  expected.bottom = 250;
  ASSERT_EQ(File(), SerializeDeskleafSettings(expected));
  EXPECT_EQ(File().size(), 41);
  EXPECT_TRUE(dlg->TickTimer().isActive());
  EXPECT_EQ(dlg->TickTimer().interval(), 0);

  dlg->OnCommand(kShowCalendar);  // keeps the right edge
  EXPECT_EQ(dlg->geometry(), QRect(1148, 20, 112, 230));
  expected.showCalendar = 0;
  expected.left = 1148;
  EXPECT_EQ(File(), SerializeDeskleafSettings(expected));
  EXPECT_FALSE(dlg->Calendar()->isVisible());

  for (int i = 0; i < 10; ++i) QTest::keyClick(dlg.get(), Qt::Key_PageDown);
  EXPECT_EQ(dlg->Options().opacity, 95);
  EXPECT_EQ(static_cast<quint8>(File()[12]), 95);
  EXPECT_TRUE(dlg->ContextMenu()->ItemAction(kMoreTransparent)->isEnabled());
  QTest::keyClick(dlg.get(), Qt::Key_PageDown);
  EXPECT_EQ(static_cast<quint8>(File()[12]), 85);
  EXPECT_NEAR(dlg->windowOpacity(), 85 / 255.0, 0.01);
  EXPECT_FALSE(dlg->ContextMenu()->ItemAction(kMoreTransparent)->isEnabled());
  EXPECT_TRUE(dlg->ContextMenu()->ItemAction(kMoreOpaque)->isEnabled());
  // Nothing changed, nothing written: a removed file stays removed.
  ASSERT_TRUE(QFile::remove(dlg->SettingsPath()));
  QTest::keyClick(dlg.get(), Qt::Key_PageDown);
  EXPECT_FALSE(QFile::exists(dlg->SettingsPath()));
  dlg->OnCommand(kMoreOpaque);
  EXPECT_EQ(static_cast<quint8>(File()[12]), 95);
  QTest::keyClick(dlg.get(), Qt::Key_PageUp);
  EXPECT_EQ(static_cast<quint8>(File()[12]), 105);

  dlg->OnCommand(kSize);
  EXPECT_EQ(dlg->geometry(), QRect(1181, 20, 79, 150));
  EXPECT_EQ(dlg->ContextMenu()->ItemText(kSize), QStringLiteral("Big size"));
  DeskleafSettings s = Parsed(File());
  EXPECT_EQ(s.width, 252);
  EXPECT_EQ(s.height, 150);
  EXPECT_EQ(RectOf(s), QRect(1181, 20, 79, 150));

  dlg->OnCommand(kShowCalendar);
  EXPECT_EQ(dlg->geometry(), QRect(1008, 20, 252, 150));
  EXPECT_EQ(dlg->Calendar()->geometry(), QRect(1, 1, 171, 148));
  dlg->OnCommand(kShowClock);
  dlg->OnCommand(kShowReminders);  // the calendar alone keeps the left edge
  EXPECT_EQ(dlg->geometry(), QRect(1008, 20, 173, 150));
  EXPECT_FALSE(dlg->CaptionLabel()->isVisible());
  EXPECT_FALSE(dlg->Clock()->isVisible());
  dlg->OnCommand(kStayTopmost);
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnBottomHint);
  EXPECT_FALSE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(dlg->isVisible());
  s = Parsed(File());
  EXPECT_EQ(s.showClock, 0);
  EXPECT_EQ(s.stayTopmost, 0);
  EXPECT_EQ(s.showReminders, 0);
  EXPECT_EQ(s.opacity, 105);

  // A moved window is written at the next tick and when it goes away; the
  // next widget starts where this one ended, with its options.
  dlg->move(500, 300);
  dlg->OnTick();
  EXPECT_EQ(RectOf(Parsed(File())), QRect(500, 300, 173, 150));
  dlg->move(510, 310);
  dlg.reset();
  EXPECT_EQ(RectOf(Parsed(File())), QRect(510, 310, 173, 150));
  auto again = Make();
  EXPECT_EQ(again->geometry(), QRect(510, 310, 173, 150));
  EXPECT_EQ(again->Options().opacity, 105);
  EXPECT_FALSE(again->ContextMenu()->ItemAction(kShowClock)->isChecked());
  EXPECT_TRUE(again->ContextMenu()->ItemAction(kShowCalendar)->isChecked());
}

TEST_F(DeskleafTest, menuItemsInOrderWithTheirMarks) {
  auto dlg = Make();
  QStringList texts;
  for (QAction* a : dlg->ContextMenu()->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts, QStringList({"Show calendar", "Show analog clock", "Show reminders", "Stay topmost", "Goto today",
                                "Small size", "-", "More transparent", "More opaque", "-", "Open Orlane",
                                "Close Deskleaf", "Exit Orlane"}));
  for (int id : {kShowCalendar, kShowClock, kShowReminders, kStayTopmost})
    EXPECT_TRUE(dlg->ContextMenu()->ItemAction(id)->isChecked()) << id;
  dlg->ContextMenu()->ItemAction(kGotoToday)->trigger();  // a command never keeps a tick
  EXPECT_FALSE(dlg->ContextMenu()->ItemAction(kGotoToday)->isChecked());
  dlg->ContextMenu()->ItemAction(kShowClock)->trigger();
  EXPECT_FALSE(dlg->ContextMenu()->ItemAction(kShowClock)->isChecked());
  EXPECT_FALSE(dlg->Clock()->isVisible());
  EXPECT_TRUE(dlg->ReminderLabel()->isVisible());

  QSignalSpy open(dlg.get(), &CDeskleafDlg::openMainWindowRequested);
  QSignalSpy exit(dlg.get(), &CDeskleafDlg::exitRequested);
  dlg->OnCommand(kOpenOrlane);
  QTest::mouseDClick(dlg->CaptionLabel(), Qt::LeftButton);
  dlg->OnCommand(kExitOrlane);
  EXPECT_EQ(open.count(), 2);
  EXPECT_EQ(exit.count(), 1);

  auto* owned = new CDeskleafDlg(Context());
  QPointer<CDeskleafDlg> closing(owned);
  owned->OnCommand(kCloseDeskleaf);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closing.isNull());
}

TEST_F(DeskleafTest, remindersOfBothSizesAndTheCalendarsDateChange) {
  const std::time_t today = NowSeconds();
  WriteDay(today, {{"08:30:00", QByteArray(kActiveMarker) + "\r\nDentist"},
                   {"09:00:00", "\r\nsee <Alarm is active>"},
                   {"10:00:00", "\r\ndone"}});
  auto dlg = Make();
  EXPECT_EQ(dlg->ReminderText(),
            QStringLiteral("*08:30:00\r\nDentist\r\n\r\n"));  // a note naming the marker is not active
  EXPECT_TRUE(dlg->ReminderLabel()->text().startsWith(QStringLiteral("*08:30:00\nDentist\n\n")));
  dlg->OnCommand(kSize);
  EXPECT_EQ(dlg->ReminderText(), QStringLiteral("*08:30\r\nDentist\r\n"));
  dlg->OnTick();
  EXPECT_EQ(dlg->CaptionText(), QStringLiteral("03/16 09:05"));
  dlg->SetDateFormat(1);
  EXPECT_EQ(dlg->CaptionText(), QStringLiteral("16/03 09:05"));
  dlg->OnCommand(kSize);
  EXPECT_EQ(dlg->CaptionText(), QStringLiteral("16/03 09:05"));  // until the next tick
  dlg->OnTick();
  EXPECT_EQ(dlg->CaptionText(), QStringLiteral("16/03/05 09:05:30"));  // in the chosen date order

  // A day picked in the widget's calendar is shown and handed to the main window.
  const std::time_t next = MakeLocalTime(2005, 3, 17, 12);
  WriteDay(next, {{"07:00:00", QByteArray(kActiveMarker) + "\r\nTrain"}});
  QSignalSpy changed(dlg.get(), &CDeskleafDlg::dateChanged);
  dlg->Calendar()->setFocus();
  QTest::keyClick(dlg->Calendar(), Qt::Key_Right);
  ASSERT_TRUE(changed.wait(1000));
  EXPECT_EQ(LocalDateOf(changed.at(0).at(0).value<std::time_t>()).day, 17);
  EXPECT_EQ(dlg->ReminderText(), QStringLiteral(" 03-17-2005\r\n*07:00:00\r\nTrain\r\n\r\n"));
  // The keys of the widget still reach it through the calendar.
  QTest::keyClick(dlg->Calendar(), Qt::Key_PageDown);
  EXPECT_EQ(dlg->Options().opacity, 185);

  // Goto today, with and without the calendar.
  dlg->OnCommand(kGotoToday);
  ASSERT_TRUE(changed.wait(1000));
  EXPECT_EQ(LocalDateOf(dlg->WidgetDate()).day, 16);
  dlg->SetSelectedDate(next);
  dlg->RefreshReminders();
  EXPECT_TRUE(dlg->ReminderText().contains(QStringLiteral("Train")));
  dlg->OnCommand(kShowCalendar);
  dlg->OnCommand(kSize);  // the calendar is made anew only when shown
  EXPECT_EQ(dlg->Calendar(), nullptr);
  const int before = changed.count();
  dlg->OnCommand(kGotoToday);
  EXPECT_EQ(changed.count(), before + 1);
  EXPECT_TRUE(dlg->ReminderText().contains(QStringLiteral("Dentist")));

  dlg->OnCommand(kShowReminders);
  EXPECT_EQ(dlg->ReminderText(), QString());
}

TEST_F(DeskleafTest, theTurnOfTheDayFollowsTodayAndRepaintsTheClock) {
  clock_.setSeconds(MakeLocalTime(2005, 3, 16, 23, 59, 59));
  const std::time_t tomorrow = MakeLocalTime(2005, 3, 17, 0, 0, 0);
  WriteDay(tomorrow, {{"06:00:00", QByteArray(kActiveMarker) + "\r\nRun"}});
  auto dlg = Make();
  QSignalSpy changed(dlg.get(), &CDeskleafDlg::dateChanged);
  dlg->OnTick();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(dlg->TickTimer().isActive());
  EXPECT_LE(dlg->TickTimer().interval(), 1000);
  clock_.setSeconds(tomorrow);
  dlg->OnTick();
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(LocalDateOf(dlg->WidgetDate()).day, 17);
  EXPECT_EQ(LocalDateOf(dlg->Calendar()->SelectedDate()).day, 17);
  EXPECT_EQ(dlg->ReminderText(), QStringLiteral("*06:00:00\r\nRun\r\n\r\n"));
  clock_.advanceMs(1000);
  dlg->OnTick();
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(DeskleafTest, desktopLimitsDisableItemsAndKeepTheStoredValues) {
  DeskleafSettings stored;
  stored.opacity = 115;
  stored.stayTopmost = 0;
  user_.write(QStringLiteral("Deskleaf.cfg"), SerializeDeskleafSettings(stored));
  DesktopLimits limits;
  limits.opacity = false;
  limits.stacking = false;
  limits.opacityReason = QStringLiteral("no compositor");
  limits.stackingReason = QStringLiteral("no stacking");
  auto dlg = Make(limits);
  NMacMenu* menu = dlg->ContextMenu();
  EXPECT_DOUBLE_EQ(dlg->windowOpacity(), 1.0);
  for (int id : {kMoreTransparent, kMoreOpaque}) {
    EXPECT_FALSE(menu->ItemAction(id)->isEnabled());
    EXPECT_EQ(menu->ItemAction(id)->toolTip(), QStringLiteral("no compositor"));
  }
  EXPECT_FALSE(menu->ItemAction(kStayTopmost)->isEnabled());
  EXPECT_EQ(menu->ItemAction(kStayTopmost)->toolTip(), QStringLiteral("no stacking"));
  EXPECT_FALSE(menu->ItemAction(kStayTopmost)->isChecked());
  EXPECT_TRUE(menu->toolTipsVisible());
  EXPECT_FALSE(dlg->windowFlags() & (Qt::WindowStaysOnTopHint | Qt::WindowStaysOnBottomHint));
  QTest::keyClick(dlg.get(), Qt::Key_PageDown);
  dlg->OnCommand(kMoreOpaque);
  dlg->OnCommand(kStayTopmost);
  const DeskleafSettings s = Parsed(File());
  EXPECT_EQ(s.opacity, 115);
  EXPECT_EQ(s.stayTopmost, 0);

  // Without placement the window's reported place never replaces the stored one.
  limits = {};
  limits.placement = false;
  dlg.reset();
  user_.write(QStringLiteral("Deskleaf.cfg"), SerializeDeskleafSettings(stored));
  dlg = Make(limits);
  const QRect storedRect = RectOf(Parsed(File()));
  dlg->move(5, 5);
  dlg->OnTick();
  dlg->OnCommand(kShowClock);
  EXPECT_EQ(RectOf(Parsed(File())), storedRect);
}

TEST_F(DeskleafTest, unknownBytesStay_aFailedWriteIsToldOnceAndTheFileKept) {
  user_.write(QStringLiteral("Deskleaf.cfg"), SerializeDeskleafSettings({}) + "later");
  auto dlg = Make();
  const QByteArray before = File();
  EXPECT_EQ(before.size(), 46);
  EXPECT_TRUE(before.endsWith("later"));
  int told = 0;
  QString text;
  ScopedModalResponder answer([&](const ModalRequest& r) {
    ++told;
    text = r.text;
    return 1;
  });
  SetService(&Services::failWriteStep, [](AtomicWriteStep step) { return step == AtomicWriteStep::Rename; });
  dlg->OnCommand(kMoreOpaque);
  dlg->OnCommand(kMoreOpaque);
  QCoreApplication::processEvents();
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(text.startsWith(QStringLiteral("The Deskleaf settings could not be saved to "))) << text.toStdString();
  EXPECT_EQ(File(), before);
  SetService(&Services::failWriteStep, {});
  dlg->OnCommand(kMoreOpaque);
  EXPECT_EQ(static_cast<quint8>(File()[12]), 225);
  EXPECT_TRUE(File().endsWith("later"));
}

TEST_F(DeskleafTest, theStripAlongTheTopDragsTheWindow) {
  auto dlg = Make();
  dlg->OnCommand(kShowCalendar);
  const QRect start = dlg->geometry();
  QTest::mousePress(dlg->CaptionLabel(), Qt::LeftButton, {}, QPoint(40, 5));  // (42, 6) in the window
  EXPECT_TRUE(dlg->DragArmed());
  // Offscreen the window system cannot move windows: the widget follows the pointer itself.
  QMouseEvent move(QEvent::MouseMove, QPointF(45, 9), dlg->mapToGlobal(QPointF(45, 9)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(dlg.get(), &move);
  EXPECT_EQ(dlg->geometry().topLeft(), start.topLeft() + QPoint(3, 3));
  QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, QPoint(42, 6));
  EXPECT_FALSE(dlg->DragArmed());
  EXPECT_EQ(RectOf(Parsed(File())).topLeft(), start.topLeft() + QPoint(3, 3));
  QTest::mousePress(dlg.get(), Qt::LeftButton, {}, QPoint(40, 60));
  EXPECT_FALSE(dlg->DragArmed());
  QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, QPoint(40, 60));
}

TEST_F(DeskleafTest, themeColoursReachEveryPanel) {
  auto dlg = Make();
  dlg->SetTheme(6);
  EXPECT_EQ(dlg->Calendar()->Theme(), 6);
  EXPECT_EQ(dlg->CaptionLabel()->BackgroundColor(), ThemeColor(6, kThemeShadow));
  EXPECT_EQ(dlg->ReminderLabel()->BackgroundColor(), ThemeColor(6, kThemeFace));
  EXPECT_EQ(dlg->ReminderLabel()->TextColor(), ThemeColor(6, kThemeOutline));
  EXPECT_EQ(dlg->Clock()->Colors().dial, ThemeColor(6, kThemeLightFace));
  EXPECT_EQ(dlg->ContextMenu()->BackgroundColor(), ThemeColor(6, kThemeLightFace));
  EXPECT_FALSE(dlg->Clock()->Options().showSecondHand);
  const QImage shot = dlg->grab().toImage();
  EXPECT_EQ(shot.pixel(0, 100), ToQColor(ThemeColor(6, kThemeShadow)).rgb());
}

}  // namespace
