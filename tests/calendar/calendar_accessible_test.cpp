#include "calendar/calendar_accessible.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/accessible_controls.h"
#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QFile>
#include <QSignalSpy>

#include <memory>

namespace orlane {
namespace {

class CalendarAccessibleTest : public ::testing::Test {
 protected:
  CalendarAccessibleTest() : clock_(static_cast<qint64>(MakeLocalTime(2005, 3, 10, 14, 5, 30)) * 1000) {
    InstallControlsAccessibility();
    InstallCalendarAccessibility();
  }
  test::TempUserFolder user_;
  TestClock clock_;
};

QAccessibleInterface* Of(QObject* o) {
  return QAccessible::queryAccessibleInterface(o);
}

TEST_F(CalendarAccessibleTest, calendar_isATableOf42DatedCellsWithTheSelectedDayAndWhatItHas) {
  QFile reminders(DayFilePath(2005, 3, 20, DayFileKind::Reminders));
  ASSERT_TRUE(reminders.open(QIODevice::WriteOnly));
  reminders.close();
  auto cal = std::make_unique<CMonthCalendar>();
  cal->SetSelectedDate(MakeLocalTime(2005, 3, 20, 9));
  cal->dateFormat = 2;
  cal->Create(QRect(0, 0, 178, 142), nullptr);

  QAccessibleInterface* table = Of(cal.get());
  ASSERT_TRUE(table);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Mar, 2005"));
  QAccessibleTableInterface* grid = table->tableInterface();
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->rowCount(), 6);
  EXPECT_EQ(grid->columnCount(), 7);
  EXPECT_EQ(table->childCount(), 42 + 3);  // the cells, then the three buttons

  int selected = 0;
  for (int k = 0; k < 42; ++k) {
    QAccessibleInterface* cell = table->child(k);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->parent(), table);
    EXPECT_EQ(table->indexOfChild(cell), k);
    EXPECT_EQ(grid->cellAt(k / 7, k % 7), cell);
    selected += cell->state().selected;
  }
  EXPECT_EQ(selected, 1);
  QAccessibleInterface* first = table->child(0);
  EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("Sunday, 2005-02-27"));
  QAccessibleInterface* twentieth = table->child(2 + 19);
  EXPECT_TRUE(twentieth->state().selected);
  EXPECT_EQ(twentieth->text(QAccessible::Name), QStringLiteral("Sunday, 2005-03-20"));
  EXPECT_EQ(twentieth->text(QAccessible::Description), QStringLiteral("reminders"));
  EXPECT_EQ(table->child(2 + 9)->text(QAccessible::Description), QStringLiteral("today"));
  ASSERT_EQ(grid->selectedCells().size(), 1);
  EXPECT_EQ(grid->selectedCells().front(), twentieth);
  EXPECT_EQ(table->child(42)->text(QAccessible::Name), QStringLiteral("Next month"));

  // Pressing a cell of the next month chooses that day as a click does.
  QSignalSpy changed(cal.get(), &CMonthCalendar::dateChanged);
  QAccessibleInterface* april2 = table->child(2 + 31 + 1);
  EXPECT_EQ(april2->text(QAccessible::Name), QStringLiteral("Saturday, 2005-04-02"));
  ASSERT_TRUE(april2->actionInterface());
  april2->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  const LocalDate now = LocalDateOf(cal->SelectedDate());
  EXPECT_EQ(now.year, 2005);
  EXPECT_EQ(now.month, 4);
  EXPECT_EQ(now.day, 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Apr, 2005"));
  EXPECT_TRUE(table->child(cal->SelectedCell())->state().selected);
  EXPECT_EQ(table->child(cal->SelectedCell())->text(QAccessible::Name), QStringLiteral("Saturday, 2005-04-02"));

  // A disabled calendar (while recording) refuses the choice.
  cal->setEnabled(false);
  table->child(10)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(LocalDateOf(cal->SelectedDate()).day, 2);
}

TEST_F(CalendarAccessibleTest, clock_isNamedByTheTimeRenewedEachMinute) {
  CAnalogClock clock;
  clock.resize(100, 100);
  clock.Tick();
  QAccessibleInterface* face = Of(&clock);
  ASSERT_TRUE(face);
  EXPECT_EQ(face->role(), QAccessible::Clock);
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("14:05"));
  clock_.advanceMs(20'000);
  clock.Tick();
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("14:05"));
  clock_.advanceMs(20'000);
  clock.Tick();
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("14:06"));
}

}  // namespace
}  // namespace orlane
