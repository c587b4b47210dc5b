#include "reminders/alarm_scheduler.h"
#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/second_ticker.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

using namespace orlane;

namespace {
qint64 Ms(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  return static_cast<qint64>(MakeLocalTime(y, mo, d, h, mi, s)) * 1000 + ms;
}

void AddReminder(int y, int mo, int d, const char* time, bool active = true, const QByteArray& note = "n") {
  const QString path = DayFilePath(y, mo, d, DayFileKind::Reminders);
  ReminderMap map;
  LoadReminderDay(path, map);
  Reminder r;
  r.active = active;
  r.note = note;
  map[time] = BuildReminderValue(r);
  ASSERT_EQ(SaveReminderDay(path, map), WriteResult::Written);
}

bool IsActive(int y, int mo, int d, const char* time) {
  ReminderMap map;
  LoadReminderDay(DayFilePath(y, mo, d, DayFileKind::Reminders), map);
  return map.count(time) && ParseReminderValue(map[time]).active;
}

class RecordingHost final : public AlarmScheduler::Host {
 public:
  void showAlert(const AlertRequest& alert) override {
    log << QStringLiteral("open ") + alert.title;
    if (whileOpen) whileOpen(alert);
    log << QStringLiteral("close ") + alert.title;
    if (scheduler) scheduler->alertClosed(alert);  // closed at once
  }
  void dayChanged(const QString& key) override { log << QStringLiteral("day ") + key; }
  void remindersSkipped(int count, int hours) override { log << QStringLiteral("skipped %1 %2").arg(count).arg(hours); }

  QStringList opened() const { return log.filter(QStringLiteral("open ")); }

  QStringList log;
  std::function<void(const AlertRequest&)> whileOpen;
  AlarmScheduler* scheduler = nullptr;
};

struct SchedulerTest : ::testing::Test {
  test::TempUserFolder folder;
  TestClock clock{Ms(2006, 1, 2, 9, 0, 0)};
  RecordingHost host;
  ReminderStore store;
  AlarmScheduler scheduler{host, store};
  SchedulerTest() { host.scheduler = &scheduler; }

  void tickAt(qint64 ms) {
    clock.setMs(ms);
    scheduler.checkDueReminders();
  }
};
}  // namespace

TEST_F(SchedulerTest, firesAtItsSecondAndIsInactiveAfterwards) {
  AddReminder(2006, 1, 2, "10:00:00");
  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 9, 59, 59, 400));
  EXPECT_TRUE(host.log.isEmpty());
  tickAt(Ms(2006, 1, 2, 10, 0, 0, 400));
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Reminder active - 10:00:00")});
  EXPECT_FALSE(IsActive(2006, 1, 2, "10:00:00"));
  tickAt(Ms(2006, 1, 2, 10, 0, 0, 900));  // twice in one second
  tickAt(Ms(2006, 1, 2, 10, 0, 1, 0));
  EXPECT_EQ(host.opened().size(), 1);
}

TEST_F(SchedulerTest, aSkippedSecondIsNotLost) {
  AddReminder(2006, 1, 2, "10:00:00");
  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 9, 59, 59, 900));
  tickAt(Ms(2006, 1, 2, 10, 0, 1, 0));
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Reminder active - 10:00:00")});
}

TEST_F(SchedulerTest, inactiveRemindersNeverFire) {
  AddReminder(2006, 1, 2, "10:00:00", false);
  scheduler.loadTodayReminders();
  for (int s = 0; s < 5; ++s) tickAt(Ms(2006, 1, 2, 9, 59, 58 + s));
  EXPECT_TRUE(host.log.isEmpty());
}

TEST_F(SchedulerTest, afterAnHourAsleep_bothAreShownAsMissedInTimeOrder) {
  AddReminder(2006, 1, 2, "10:10:00");
  AddReminder(2006, 1, 2, "10:40:00");
  AddReminder(2006, 1, 2, "11:00:00");
  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 10, 0, 0));
  tickAt(Ms(2006, 1, 2, 11, 0, 0, 200));
  EXPECT_EQ(host.opened(), (QStringList{QStringLiteral("open Missed Reminder - 2006-01-02 10:10:00"),
                                        QStringLiteral("open Missed Reminder - 2006-01-02 10:40:00"),
                                        QStringLiteral("open Reminder active - 11:00:00")}));
}

TEST_F(SchedulerTest, remindersFiveSecondsApartNestTheirAlerts) {
  AddReminder(2006, 1, 2, "10:00:00");
  AddReminder(2006, 1, 2, "10:00:05");
  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 9, 59, 59));
  int depth = 0;
  host.whileOpen = [&](const AlertRequest&) {
    if (++depth > 1) return;
    for (int s = 1; s <= 6; ++s) tickAt(Ms(2006, 1, 2, 10, 0, s, 100));  // the timer keeps ticking
  };
  tickAt(Ms(2006, 1, 2, 10, 0, 0, 100));
  EXPECT_EQ(host.log, (QStringList{QStringLiteral("open Reminder active - 10:00:00"),
                                   QStringLiteral("open Reminder active - 10:00:05"),
                                   QStringLiteral("close Reminder active - 10:00:05"),
                                   QStringLiteral("close Reminder active - 10:00:00")}));
  EXPECT_FALSE(IsActive(2006, 1, 2, "10:00:00"));
  EXPECT_FALSE(IsActive(2006, 1, 2, "10:00:05"));
}

TEST_F(SchedulerTest, aMidnightNoTickSaw_firesIntoEachDaysOwnFile) {
  AddReminder(2006, 1, 2, "23:59:59");
  AddReminder(2006, 1, 3, "00:00:01");
  clock.setMs(Ms(2006, 1, 2, 23, 59, 0));
  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 23, 59, 58, 500));
  tickAt(Ms(2006, 1, 3, 0, 0, 5, 500));  // the computer was busy over midnight
  EXPECT_EQ(host.log,
            (QStringList{QStringLiteral("open Reminder active - 23:59:59"),
                         QStringLiteral("close Reminder active - 23:59:59"),
                         QStringLiteral("open Reminder active - 00:00:01"),
                         QStringLiteral("close Reminder active - 00:00:01"), QStringLiteral("day 07d60103")}));
  EXPECT_FALSE(IsActive(2006, 1, 2, "23:59:59"));
  EXPECT_FALSE(IsActive(2006, 1, 3, "00:00:01"));
  ReminderMap newDay;
  LoadReminderDay(DayFilePath(2006, 1, 3, DayFileKind::Reminders), newDay);
  EXPECT_EQ(newDay.size(), 1u);
  EXPECT_EQ(scheduler.todayKey(), QStringLiteral("07d60103"));
}

TEST_F(SchedulerTest, exactMidnightTick_movesToTheNewDay) {
  clock.setMs(Ms(2006, 1, 2, 23, 59, 59));
  scheduler.loadTodayReminders();
  AddReminder(2006, 1, 3, "00:00:03");
  tickAt(Ms(2006, 1, 3, 0, 0, 0, 10));
  EXPECT_EQ(host.log, QStringList{QStringLiteral("day 07d60103")});
  tickAt(Ms(2006, 1, 3, 0, 0, 3, 10));
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Reminder active - 00:00:03")});
}

TEST_F(SchedulerTest, daylightSavingChange_firesEachReminderOnce) {
  // In Berlin 26 March 2006 has no 02:00-02:59; 29 October has it twice.
  AddReminder(2006, 3, 26, "01:59:59");
  AddReminder(2006, 3, 26, "03:00:00");
  clock.setMs(Ms(2006, 3, 26, 1, 59, 0));
  scheduler.loadTodayReminders();
  const qint64 start = Ms(2006, 3, 26, 1, 59, 0);
  for (int s = 0; s < 180; ++s) tickAt(start + s * 1000 + 300);
  EXPECT_EQ(host.opened(), (QStringList{QStringLiteral("open Reminder active - 01:59:59"),
                                        QStringLiteral("open Reminder active - 03:00:00")}));

  host.log.clear();
  AddReminder(2006, 10, 29, "02:30:00");
  clock.setMs(Ms(2006, 10, 29, 1, 0, 0));
  scheduler.loadTodayReminders();
  const qint64 autumn = static_cast<qint64>(MakeLocalTime(2006, 10, 29, 1, 0, 0)) * 1000;
  for (int s = 0; s < 3 * 3600; s += 1) tickAt(autumn + s * 1000LL + 500);
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Reminder active - 02:30:00")});
}

TEST_F(SchedulerTest, missedScan_showsRecentDaysOnceAndLeavesOlderOnes) {
  AddReminder(2006, 1, 1, "18:00:00");         // yesterday
  AddReminder(2005, 12, 26, "08:00:00");       // the seventh day before
  AddReminder(2005, 12, 25, "08:00:00");       // eight days before: never
  AddReminder(2006, 1, 2, "11:00:00");         // today, past
  AddReminder(2006, 1, 2, "13:00:00");         // today, to come
  AddReminder(2006, 1, 1, "19:00:00", false);  // inactive
  clock.setMs(Ms(2006, 1, 2, 12, 0, 0));
  scheduler.showMissedReminders();
  EXPECT_EQ(host.opened(), (QStringList{QStringLiteral("open Missed Reminder - 2006-01-02 11:00:00"),
                                        QStringLiteral("open Missed Reminder - 2006-01-01 18:00:00"),
                                        QStringLiteral("open Missed Reminder - 2005-12-26 08:00:00")}));
  EXPECT_FALSE(IsActive(2006, 1, 1, "18:00:00"));
  EXPECT_TRUE(IsActive(2005, 12, 25, "08:00:00"));
  EXPECT_TRUE(IsActive(2006, 1, 2, "13:00:00"));

  host.log.clear();
  scheduler.showMissedReminders();  // a second start shows nothing again
  EXPECT_TRUE(host.log.isEmpty());

  scheduler.loadTodayReminders();
  tickAt(Ms(2006, 1, 2, 12, 0, 1));
  tickAt(Ms(2006, 1, 2, 13, 0, 0, 100));
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Reminder active - 13:00:00")});
}

TEST_F(SchedulerTest, missedScan_doesNotRewriteADamagedFile) {
  AddReminder(2006, 1, 1, "08:00:00");
  AddReminder(2006, 1, 1, "09:00:00");
  const QString path = DayFilePath(2006, 1, 1, DayFileKind::Reminders);
  QByteArray bytes = folder.read(QStringLiteral("07d60101.alm"));
  bytes.chop(2);
  folder.write(QStringLiteral("07d60101.alm"), bytes);
  clock.setMs(Ms(2006, 1, 2, 12, 0, 0));
  scheduler.showMissedReminders();
  EXPECT_EQ(host.opened().size(), 1);
  EXPECT_EQ(folder.read(QStringLiteral("07d60101.alm")), bytes);
  (void)path;
}

TEST_F(SchedulerTest, aDayOfJitteryTicks_missesNothing) {
  int count = 0;
  for (int m = 7; m < 24 * 60; m += 7, ++count)
    AddReminder(2006, 1, 2, MakeTimeKey(m / 60, m % 60, (m * 13) % 60).constData());
  clock.setMs(Ms(2006, 1, 2, 0, 0, 0, 400));
  scheduler.loadTodayReminders();
  test::RandomBytes random(5);
  const qint64 start = Ms(2006, 1, 2, 0, 0, 0);
  for (qint64 s = 1; s < 86400; ++s) {
    const int jitter = static_cast<int>(random.next() % 601) - 300;  // -300 .. +300 ms
    tickAt(start + s * 1000 + 500 + jitter);
  }
  QStringList opened = host.opened();
  EXPECT_EQ(opened.size(), count);
  EXPECT_TRUE(opened.filter(QStringLiteral("Missed")).isEmpty());
  EXPECT_EQ(opened.removeDuplicates(), 0);
}

TEST_F(SchedulerTest, clockSetBack_goesOnFromTheNewTimeAndShowsNothingTwice) {
  AddReminder(2006, 1, 2, "10:00:00");
  AddReminder(2006, 1, 2, "10:00:20");
  scheduler.loadTodayReminders();
  for (int s = 0; s <= 30; ++s) tickAt(Ms(2006, 1, 2, 10, 0, s, 500));
  ASSERT_EQ(host.opened().size(), 2);

  // A step of a second or two back is a correction: nothing is repeated.
  tickAt(Ms(2006, 1, 2, 10, 0, 29, 500));
  tickAt(Ms(2006, 1, 2, 10, 0, 30, 500));
  // 10:00:25 is added after its time had passed; 10:00:00 is active in its
  // file again, as when clearing it had failed.
  AddReminder(2006, 1, 2, "10:00:25");
  AddReminder(2006, 1, 2, "10:00:00");
  scheduler.loadTodayReminders();
  // Set back by a minute: the stretch comes again, and what is due in it fires.
  const qint64 back = Ms(2006, 1, 2, 9, 59, 30, 500);
  for (int s = 0; s <= 70; ++s) tickAt(back + s * 1000);
  EXPECT_EQ(host.opened(), (QStringList{QStringLiteral("open Reminder active - 10:00:00"),
                                        QStringLiteral("open Reminder active - 10:00:20"),
                                        QStringLiteral("open Reminder active - 10:00:25")}));
}

TEST(AlarmTimer, msUntilNextSecond) {
  EXPECT_EQ(SecondTicker::MsUntilNextSecond(1000), 1000);
  EXPECT_EQ(SecondTicker::MsUntilNextSecond(1999), 1);
  EXPECT_EQ(SecondTicker::MsUntilNextSecond(1250), 750);
}

TEST_F(SchedulerTest, aNoteTypedAndNotSaved_firesWithThatNote) {
  AddReminder(2006, 1, 2, "10:00:00", true, "old");
  scheduler.loadTodayReminders();
  store.setReminder(QStringLiteral("07d60102"), "10:00:00", "<Alarm is active>\r\ntyped, not saved");
  store.setReminder(QStringLiteral("07d60102"), "10:00:01", "<Alarm is active>\r\nnew, not saved");
  QStringList notes;
  host.whileOpen = [&](const AlertRequest& alert) { notes << QString::fromUtf8(alert.note); };
  tickAt(Ms(2006, 1, 2, 10, 0, 0, 100));
  tickAt(Ms(2006, 1, 2, 10, 0, 1, 100));
  EXPECT_EQ(notes, (QStringList{QStringLiteral("typed, not saved"), QStringLiteral("new, not saved")}));
  // Firing clears only the marker in the file: the unsaved edits stay edits.
  ReminderMap file;
  LoadReminderDay(DayFilePath(2006, 1, 2, DayFileKind::Reminders), file);
  EXPECT_EQ(file, (ReminderMap{{"10:00:00", "\r\nold"}}));
  EXPECT_FALSE(orlane::IsActive(store.day(QStringLiteral("07d60102")).at("10:00:01")));
}

TEST(AlarmMarkers, theMarkerTextInANoteNeverMakesAReminderActive) {
  const QByteArray inactive = "\r\nremember <Alarm is active> in the note";
  EXPECT_FALSE(orlane::IsActive(inactive));
  EXPECT_TRUE(orlane::IsActive("<Alarm is active>\r\n<Alarm is active>"));
}

TEST(AlarmMarkers, clearingTouchesOnlyTheHead) {
  EXPECT_EQ(WithoutActiveMarker("a.wav<Alarm is active><Alarm is repeat>\r\nkeep <Alarm is active> here"),
            "a.wav<Alarm is repeat>\r\nkeep <Alarm is active> here");
  EXPECT_EQ(WithoutActiveMarker("no line break"), "no line break");
}

TEST_F(SchedulerTest, lateCancel_skipsOnlyRemindersOlderThanItsHoursAndSaysHowMany) {
  AddReminder(2006, 1, 2, "01:00:00");  // 11 hours late at noon: shown
  AddReminder(2006, 1, 1, "23:30:00");  // 12.5 hours late: skipped
  AddReminder(2005, 12, 29, "08:00:00");
  AddReminder(2006, 1, 2, "12:00:00");  // exactly now: shown
  scheduler.setLateCancelHours(12);
  clock.setMs(Ms(2006, 1, 2, 12, 0, 0));
  scheduler.showMissedReminders();
  EXPECT_EQ(host.opened(), (QStringList{QStringLiteral("open Missed Reminder - 2006-01-02 01:00:00"),
                                        QStringLiteral("open Missed Reminder - 2006-01-02 12:00:00")}));
  EXPECT_TRUE(host.log.contains(QStringLiteral("skipped 2 12")));
  EXPECT_FALSE(IsActive(2006, 1, 1, "23:30:00"));
  EXPECT_FALSE(IsActive(2005, 12, 29, "08:00:00"));

  // After two days asleep the same rule holds for the ticks; 0 turns it off.
  AddReminder(2006, 1, 2, "20:00:00");
  AddReminder(2006, 1, 4, "11:30:00");
  scheduler.loadTodayReminders();
  host.log.clear();
  tickAt(Ms(2006, 1, 4, 12, 0, 0));
  EXPECT_EQ(host.opened(), QStringList{QStringLiteral("open Missed Reminder - 2006-01-04 11:30:00")});
  EXPECT_TRUE(host.log.contains(QStringLiteral("skipped 1 12")));
  EXPECT_FALSE(IsActive(2006, 1, 2, "20:00:00"));
  EXPECT_FALSE(IsPastLateCancel(0, 1000000, 0));
}
