#include "days/title_line.h"
#include "platform/local_time.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(TitleLine, withAndWithoutHoliday) {
  const std::time_t t = MakeLocalTime(2006, 1, 1, 9, 5, 30);
  const QString plain = TitleLineText(t, {}, QStringLiteral("You have 0 reminders on 01-01-2006 ."));
  EXPECT_TRUE(plain.startsWith(QStringLiteral("[")));
  EXPECT_TRUE(plain.contains(QStringLiteral("2006. 09:05] You have 0 reminders")));
  const QString holiday = TitleLineText(t, QStringLiteral("New Year"), QStringLiteral("x"));
  EXPECT_TRUE(holiday.startsWith(QStringLiteral("[New Year! ")));
  EXPECT_TRUE(holiday.endsWith(QStringLiteral(". 09:05] x")));
}

TEST(TitleLine, clockInfo) {
  const QString info = ClockInfoText(MakeLocalTime(2006, 1, 2, 8, 30, 0));
  EXPECT_TRUE(info.startsWith(QStringLiteral("08:30:00\r\n")));
  EXPECT_TRUE(info.contains(QStringLiteral("\r\nDay of year: 002\r\nWeek of year: 01 (ISO 8601)\r\nTime zone: CET")));
}

// The C library's "%U" counts from the first Sunday and says week 49 here.
TEST(TitleLine, clockInfo_weekByTheRuleItNames) {
  const std::time_t t = MakeLocalTime(2026, 12, 8, 12, 0, 0);
  EXPECT_TRUE(ClockInfoText(t, kIsoWeekRule).contains(QStringLiteral("\r\nWeek of year: 50 (ISO 8601)\r\n")));
  EXPECT_TRUE(ClockInfoText(t, {Qt::Sunday, 4})
                  .contains(QStringLiteral(
                      "\r\nWeek of year: 49 (weeks from Sunday, week 1 has at least 4 days of the year)\r\n")));
  // The test runs in the C locale, which keeps no convention of its own.
  EXPECT_EQ(ClockInfoText(t), ClockInfoText(t, kIsoWeekRule));
}
