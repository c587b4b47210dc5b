#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_file.h"
#include "reminders/reminder_editor.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace orlane;

namespace {
qint64 Ms(int y, int mo, int d, int h, int mi, int s) {
  return static_cast<qint64>(MakeLocalTime(y, mo, d, h, mi, s)) * 1000;
}

RecurRule Rule(RecurKind kind, int interval = 1, WeekdayMask days = 0, std::optional<QDate> until = std::nullopt,
               int count = 0) {
  return RecurRule{kind, interval, days, until, count};
}

RecurringReminder Daily(const QByteArray& uid, QDate start, const QByteArray& time) {
  RecurringReminder r;
  r.uid = uid;
  r.start = start;
  r.timeKey = time;
  r.rrule = BuildRRule(Rule(RecurKind::Daily));
  r.note = "Pill\r\nwith water; and, a comma";
  r.media = "/home/me/a,b;c.wav";
  r.repeat = true;
  return r;
}

QByteArray PlainFile(const test::TempUserFolder& folder) {
  QByteArray bytes = folder.read(QStringLiteral("recurring.dat"));
  UnscrambleBytes(bytes.data(), bytes.size());
  return bytes;
}

class Host final : public AlarmScheduler::Host {
 public:
  void showAlert(const AlertRequest& alert) override {
    titles << alert.title;
    if (scheduler) scheduler->alertClosed(alert);
  }
  QStringList titles;
  AlarmScheduler* scheduler = nullptr;
};
}  // namespace

TEST(RecurRule, everyKindBuildsItsRuleAndReadsBack) {
  const std::vector<std::pair<RecurRule, QByteArray>> cases = {
      {Rule(RecurKind::Daily, 2), "FREQ=DAILY;INTERVAL=2"},
      {Rule(RecurKind::Weekdays), "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
      {Rule(RecurKind::Weekly, 1, 0x41), "FREQ=WEEKLY;BYDAY=MO,SU"},
      {Rule(RecurKind::Monthly, 1, 0, QDate(2027, 5, 1)), "FREQ=MONTHLY;UNTIL=20270501T235959"},
      {Rule(RecurKind::Yearly, 1, 0, std::nullopt, 5), "FREQ=YEARLY;COUNT=5"},
  };
  for (const auto& [rule, text] : cases) {
    EXPECT_EQ(BuildRRule(rule), text);
    EXPECT_EQ(ReadRecurRule(text), rule) << text.constData();
  }
  EXPECT_EQ(BuildRRule(Rule(RecurKind::Once)), QByteArray());
  EXPECT_FALSE(ReadRecurRule("FREQ=MONTHLY;BYDAY=-1FR"));  // kept and expanded, not editable
  EXPECT_FALSE(ReadRecurRule("not a rule"));
}

TEST(RecurringFile, roundTripsAndKeepsWhatOthersWrote) {
  RecurringSet set;
  RecurringReminder r = Daily("a@x", QDate(2026, 1, 31), "08:30:00");
  r.skipped = {QDate(2026, 2, 3)};
  r.fired = {QDate(2026, 2, 1)};
  r.firedBefore = QDate(2026, 1, 31);
  r.stamp = "20260101T000000Z";
  set.series.push_back(r);
  QByteArray text = SerializeRecurringFile(set);
  EXPECT_TRUE(text.contains("DTSTART:20260131T083000\r\n"));
  EXPECT_TRUE(text.contains("RRULE:FREQ=DAILY\r\n"));
  EXPECT_TRUE(text.contains("EXDATE:20260203T083000\r\n"));
  EXPECT_TRUE(text.contains("SUMMARY:Pill\r\n"));
  EXPECT_TRUE(text.contains("X-ORLANE-FIRED:20260201\r\n"));
  // Another program's property, alarm and to-do survive a rewrite.
  text.replace("SUMMARY:Pill\r\n", "SUMMARY:Pill\r\nLOCATION:Kitchen\r\nX-OTHER;X-P=1:v\r\n");
  text.replace("END:VCALENDAR", "BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Buy\r\nEND:VTODO\r\nEND:VCALENDAR");
  RecurringSet read;
  ASSERT_EQ(ParseRecurringFile(text, read), RecurringLoadResult::Ok);
  ASSERT_EQ(read.series.size(), 1u);
  RecurringReminder back = read.series[0];
  EXPECT_EQ(back.otherLines.size(), 2u);
  back.otherLines.clear();
  EXPECT_EQ(back, r);
  const QByteArray again = SerializeRecurringFile(read);
  EXPECT_TRUE(again.contains("LOCATION:Kitchen\r\n"));
  EXPECT_TRUE(again.contains("X-OTHER;X-P=1:v\r\n"));
  EXPECT_TRUE(again.contains("BEGIN:VTODO"));
  RecurringSet twice;
  ASSERT_EQ(ParseRecurringFile(again, twice), RecurringLoadResult::Ok);
  EXPECT_EQ(SerializeRecurringFile(twice), again);
}

TEST(RecurringFile, hostileInputNeverCrashesAndEventsOfOthersStayUnexpanded) {
  RecurringSet set;
  EXPECT_EQ(ParseRecurringFile("", set), RecurringLoadResult::Damaged);
  EXPECT_EQ(ParseRecurringFile("BEGIN:VEVENT\r\nEND:VEVENT\r\n", set), RecurringLoadResult::Damaged);
  const QByteArray zoned =
      "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:z\r\nDTSTART;TZID=Asia/Tokyo:20260101T080000\r\nRRULE:FREQ=DAILY\r\n"
      "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:h\r\nDTSTART:20260101T080000\r\nRRULE:FREQ=SECONDLY\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20260101T080000\r\nRRULE:FREQ=DAILY;BYSECOND=" +
      QByteArray("1,").repeated(59) + "0\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  ASSERT_EQ(ParseRecurringFile(zoned, set), RecurringLoadResult::Ok);
  EXPECT_EQ(set.otherBlocks.size(), 1u);  // a zoned time is not this program's
  ASSERT_EQ(set.series.size(), 2u);
  EXPECT_TRUE(OccurrencesOn(set.series[0], QDate(2026, 1, 2)).empty());    // finer than a day
  EXPECT_LE(OccurrencesOn(set.series[1], QDate(2026, 1, 2)).size(), 60u);  // bounded
  RecurringReminder r = Daily("t", QDate(2026, 1, 1), "08:00:00");
  RecurringSet good;
  good.series.push_back(r);
  const QByteArray text = SerializeRecurringFile(good);
  test::RandomBytes random(7);
  for (int i = 0; i < 300; ++i) {
    QByteArray bad = text.left(static_cast<qsizetype>(random.next() % static_cast<unsigned>(text.size())));
    bad += random.bytes(40);
    if (i % 3 == 0) bad.insert(static_cast<qsizetype>(random.next() % static_cast<unsigned>(bad.size() + 1)), '\0');
    RecurringSet any;
    ParseRecurringFile(bad, any);
    for (const RecurringReminder& s : any.series) OccurrencesIn(s, QDate(2026, 1, 1), QDate(2026, 12, 31));
    SerializeRecurringFile(any);
  }
  RecurringSet huge;
  EXPECT_EQ(ParseRecurringFile("BEGIN:VCALENDAR\r\nX-A:" + QByteArray(1 << 20, 'a') + "\r\nEND:VCALENDAR\r\n", huge),
            RecurringLoadResult::Ok);
  EXPECT_EQ(huge.otherLines.size(), 1u);
}

TEST(RecurringStore, dayShowsOccurrencesAOneOffWinsAndDayFilesNeverHoldThem) {
  test::TempUserFolder folder;
  TestClock clock{Ms(2026, 3, 10, 7, 0, 0)};
  const QString day = MakeDayKey(2026, 3, 10);
  {
    ReminderStore store;
    store.setSeries(Daily("d", QDate(2026, 3, 1), "08:00:00"));
    store.setSeries(Daily("e", QDate(2026, 3, 1), "09:00:00"));
    store.setReminder(day, "09:00:00", BuildReminderValue({{}, true, false, "one-off"}));
    ASSERT_TRUE(store.save(day).written);
    EXPECT_EQ(store.save(day).written, false);  // nothing changed: nothing written
  }
  ReminderStore store;
  const ReminderMap shown = store.shownDay(day);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(ParseReminderValue(shown.at("08:00:00")).note, "Pill\r\nwith water; and, a comma");
  EXPECT_EQ(ParseReminderValue(shown.at("09:00:00")).note, "one-off");
  EXPECT_FALSE(store.occurrenceAt(day, "09:00:00"));
  EXPECT_EQ(store.day(day).size(), 1u);
  ReminderMap inFile;
  LoadReminderDay(DayFilePath(day, DayFileKind::Reminders), inFile);
  EXPECT_EQ(inFile, store.day(day));
  EXPECT_TRUE(store.skipOccurrence(MakeDayKey(2026, 3, 11), "08:00:00"));
  EXPECT_TRUE(store.occurrences(MakeDayKey(2026, 3, 11)).empty() == false);  // 09:00 of series e
  EXPECT_FALSE(store.occurrenceAt(MakeDayKey(2026, 3, 11), "08:00:00"));
  store.removeSeries("e");
  EXPECT_TRUE(store.occurrences(MakeDayKey(2026, 3, 11)).empty());
  ASSERT_FALSE(store.saveRecurring().failed);
  ReminderStore other;
  EXPECT_EQ(other.recurring().series.size(), 1u);
  EXPECT_EQ(other.recurring().series[0].skipped, std::set<QDate>{QDate(2026, 3, 11)});
  // Without the file the folder is as before.
  store.removeSeries("d");
  ASSERT_FALSE(store.saveRecurring().failed);
  EXPECT_FALSE(folder.exists(QStringLiteral("recurring.dat")));
}

TEST(RecurringStore, occurrenceFiresAtItsSecondIsRecordedAndMissedOnesComeOnce) {
  test::TempUserFolder folder;
  TestClock clock{Ms(2026, 3, 10, 7, 59, 58)};
  {
    ReminderStore store;
    store.setSeries(Daily("d", QDate(2026, 3, 1), "08:00:00"));
    ASSERT_FALSE(store.saveRecurring().failed);
  }
  Host host;
  ReminderStore store;
  AlarmScheduler scheduler(host, store);
  host.scheduler = &scheduler;
  scheduler.showMissedReminders();  // 03-03 .. 03-09 at 08:00 fell due unseen
  ASSERT_EQ(host.titles.size(), 7);
  EXPECT_EQ(host.titles.front(), QStringLiteral("Missed Reminder - 2026-03-09 08:00:00"));
  scheduler.loadTodayReminders();
  host.titles.clear();
  clock.setMs(Ms(2026, 3, 10, 8, 0, 0));
  scheduler.checkDueReminders();
  EXPECT_EQ(host.titles, QStringList{QStringLiteral("Reminder active - 08:00:00")});
  EXPECT_TRUE(PlainFile(folder).contains("X-ORLANE-FIRED:"));
  EXPECT_FALSE(folder.exists(DayFilePath(MakeDayKey(2026, 3, 10), DayFileKind::Reminders).section('/', -1)));

  // The next start: nothing is missed; the record keeps to the last days.
  Host again;
  ReminderStore reread;
  AlarmScheduler next(again, reread);
  again.scheduler = &next;
  next.showMissedReminders();
  EXPECT_TRUE(again.titles.isEmpty());
  const RecurringReminder& s = reread.recurring().series[0];
  EXPECT_EQ(s.fired.size(), 8u);
  EXPECT_TRUE(s.hasFired(QDate(2026, 3, 3)));
  EXPECT_FALSE(s.hasFired(QDate(2026, 3, 11)));
}

TEST(RecurringEditor, aReminderMadeToRecurShowsOnLaterDaysAndRemoveAsksWhatGoes) {
  test::TempUserFolder folder;
  TestClock clock{Ms(2026, 3, 10, 7, 0, 0)};
  ReminderStore store;
  ReminderEditor editor(store);
  const QString today = MakeDayKey(2026, 3, 10);
  const QString tomorrow = MakeDayKey(2026, 3, 11);
  editor.loadDay(today);
  ReminderFields typed;
  typed.note = QStringLiteral("Pill");
  editor.setFields(typed);
  ASSERT_EQ(editor.add("08:00:00"), ReminderEditor::Result::Done);
  ASSERT_EQ(editor.setRecurrence(Rule(RecurKind::Daily, 2)), ReminderEditor::Result::Done);
  EXPECT_TRUE(store.day(today).empty());
  EXPECT_TRUE(editor.isOccurrence(0));
  EXPECT_EQ(editor.recurrence(), Rule(RecurKind::Daily, 2));
  typed.note = QStringLiteral("Pill, two");
  typed.active = true;
  editor.setFields(typed);  // the series' note: every occurrence has it
  EXPECT_TRUE(store.occurrences(tomorrow).empty());
  editor.loadDay(MakeDayKey(2026, 3, 12));
  ASSERT_EQ(editor.entries().size(), 1);
  editor.select(0);
  EXPECT_EQ(editor.fields().note, QStringLiteral("Pill, two"));
  EXPECT_EQ(editor.remove(), ReminderEditor::Result::Recurring);
  EXPECT_EQ(editor.removeOccurrence(false), ReminderEditor::Result::Done);
  EXPECT_TRUE(store.occurrences(MakeDayKey(2026, 3, 12)).empty());
  EXPECT_EQ(store.occurrences(MakeDayKey(2026, 3, 14)).size(), 1u);
  ASSERT_FALSE(store.save(today).failed);
  EXPECT_FALSE(folder.exists(QStringLiteral("07ea030a.alm")));  // the day file never holds occurrences
  EXPECT_TRUE(folder.exists(QStringLiteral("recurring.dat")));
  editor.loadDay(MakeDayKey(2026, 3, 14));
  editor.select(0);
  ASSERT_EQ(editor.setRecurrence(Rule(RecurKind::Once)), ReminderEditor::Result::Done);
  EXPECT_EQ(store.day(MakeDayKey(2026, 3, 14)).size(), 1u);  // a one-off in place of the series
  EXPECT_TRUE(store.recurring().series.empty());
}
