#include "reminders/snooze.h"

#include "days/day_files.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <set>

using namespace orlane;

namespace {
std::time_t At(int y, int mo, int d, int h, int mi, int s) {
  return MakeLocalTime(y, mo, d, h, mi, s);
}

std::optional<SnoozeSlot> Place(std::time_t now, int minutes, std::set<QByteArray> takenKeys = {}) {
  return PlaceSnoozed(now, minutes, [&](const QString& day, const QByteArray& key) {
    return takenKeys.count(day.toLatin1() + ' ' + key) > 0;
  });
}
}  // namespace

TEST(SnoozePlacement, nowPlusMinutes_nextFreeSecond_andPastMidnightIntoTheNextDay) {
  const auto slot = Place(At(2006, 1, 2, 10, 0, 0), 5);
  ASSERT_TRUE(slot);
  EXPECT_EQ(*slot, (SnoozeSlot{QStringLiteral("07d60102"), "10:05:00", At(2006, 1, 2, 10, 5, 0)}));

  const auto taken = Place(At(2006, 1, 2, 10, 0, 0), 5, {"07d60102 10:05:00", "07d60102 10:05:01"});
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->timeKey, QByteArray("10:05:02"));

  const auto midnight = Place(At(2006, 1, 2, 23, 58, 30), 2);
  ASSERT_TRUE(midnight);
  EXPECT_EQ(midnight->dayKey, QStringLiteral("07d60103"));
  EXPECT_EQ(midnight->timeKey, QByteArray("00:00:30"));

  const auto lastSecond = Place(At(2006, 12, 31, 23, 58, 59), 1, {"07d60c1f 23:59:59"});
  ASSERT_TRUE(lastSecond);
  EXPECT_EQ(lastSecond->dayKey, QStringLiteral("07d70101"));  // the next year's first day
  EXPECT_EQ(lastSecond->timeKey, QByteArray("00:00:00"));

  EXPECT_FALSE(Place(At(2006, 1, 2, 10, 0, 0), 0));
  EXPECT_FALSE(Place(At(2006, 1, 2, 10, 0, 0), 1441));
  EXPECT_EQ(Place(At(2006, 1, 2, 10, 0, 0), 1440)->dayKey, QStringLiteral("07d60103"));
}

TEST(SnoozePlacement, daylightSavingChanges_neverPlaceAKeyThatFiresEarly) {
  // Europe/Berlin: 2026-03-29 02:00 CET becomes 03:00 CEST; 2026-10-25 03:00 CEST becomes 02:00 CET.
  const auto spring = Place(At(2026, 3, 29, 1, 58, 0), 5);
  ASSERT_TRUE(spring);
  EXPECT_EQ(spring->timeKey, QByteArray("03:03:00"));
  EXPECT_EQ(spring->due, At(2026, 3, 29, 1, 58, 0) + 300);

  // The second pass of the repeated hour: its keys name the first pass, which is over.
  const std::time_t secondPass = At(2026, 10, 25, 1, 10, 0) + 2 * 3600;  // 02:10 CET
  ASSERT_EQ(LocalTm(secondPass).tm_hour, 2);
  const auto autumn = Place(secondPass, 5);
  ASSERT_TRUE(autumn);
  EXPECT_GE(autumn->due, secondPass + 300);
  EXPECT_LE(autumn->due, secondPass + 3600);
  const TimeOfDay t = TimeKeyNumbers(autumn->timeKey);
  EXPECT_EQ(MakeLocalTime(2026, 10, 25, t.hour, t.minute, t.second), autumn->due);
}

TEST(Snooze, writesOnlyTheSnoozedReminderIntoItsDayFileAtOnce) {
  test::TempUserFolder folder;
  ReminderStore store;
  const QString day = QStringLiteral("07d60102");
  const QString path = DayFilePath(day, DayFileKind::Reminders);
  ReminderMap onDisk;
  Reminder kept;
  kept.note = "kept";
  onDisk["10:05:00"] = BuildReminderValue(kept);
  ASSERT_EQ(SaveReminderDay(path, onDisk), WriteResult::Written);
  store.setReminder(day, "11:00:00", "unsaved edit");

  AlertRequest alert;
  alert.note = "take the pill";
  alert.media = "Beep Only";
  alert.repeat = true;
  alert.dayKey = day;
  alert.timeKey = "10:00:00";
  const SnoozeResult result = SnoozeReminder(store, alert, 5, At(2006, 1, 2, 10, 0, 0));
  ASSERT_TRUE(result.slot);
  EXPECT_TRUE(result.saved.written);
  EXPECT_EQ(result.slot->timeKey, QByteArray("10:05:01"));  // 10:05:00 is taken

  // Byte for byte what the day file writer makes of the file's reminders plus the snoozed one.
  ReminderMap expected = onDisk;
  expected["10:05:01"] = QByteArray("Beep Only<Alarm is active><Alarm is repeat>\r\ntake the pill");
  const QString expectedPath = folder.user() + QStringLiteral("expected.alm");
  ASSERT_EQ(SaveReminderDay(expectedPath, expected), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.alm")), folder.read(QStringLiteral("expected.alm")));
  EXPECT_TRUE(store.isModified(day));  // the unsaved edit stays an edit
  EXPECT_TRUE(IsActive(store.day(day).at("10:05:01")));
}
