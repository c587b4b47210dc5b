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
  EXPECT_TRUE(info.contains(QStringLiteral("\r\nDay of year: 002\r\nWeek of year: 01\r\nTime zone: CET")));
}
