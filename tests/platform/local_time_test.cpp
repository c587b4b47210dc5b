#include "platform/local_time.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

using namespace orlane;

// The tests run with TZ=Europe/Berlin.
TEST(LocalTime, makeLocalTime_letsTheLibraryPickDaylightTime) {
  const std::time_t winter = MakeLocalTime(2006, 1, 2, 12, 0, 0);
  const std::time_t summer = MakeLocalTime(2006, 7, 2, 12, 0, 0);
  EXPECT_EQ(LocalTm(winter).tm_hour, 12);
  EXPECT_EQ(LocalTm(summer).tm_hour, 12);
  EXPECT_EQ(winter, 1136199600);  // 11:00 UTC
  EXPECT_EQ(summer, 1151834400);  // 10:00 UTC
}

TEST(LocalTime, makeLocalTime_normalisesLikeMktime) {
  const LocalDate d = LocalDateOf(MakeLocalTime(2006, 3, 0));
  EXPECT_EQ(d.year, 2006);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 28);
}

TEST(LocalTime, startOfDay_acrossDaylightChange) {
  const std::time_t t = MakeLocalTime(2006, 3, 26, 15, 0, 0);  // the spring change day has 23 hours
  EXPECT_EQ(t - StartOfLocalDay(t), 14 * 3600);
}

TEST(LocalTime, windowsCodes_areTranslated) {
  const std::time_t t = MakeLocalTime(2006, 1, 5, 8, 3, 9);
  EXPECT_EQ(FormatLocalTime("%#d.%m.%Y", t), QStringLiteral("5.01.2006"));
  EXPECT_EQ(FormatLocalTime("%H:%M:%S", t), QStringLiteral("08:03:09"));
  EXPECT_EQ(FormatLocalTime("%z", t), QStringLiteral("CET"));
  EXPECT_EQ(FormatLocalTime("100%%", t), QStringLiteral("100%"));
  EXPECT_TRUE(FormatLocalTime("%#x", t).contains(QStringLiteral("2006")));
  EXPECT_TRUE(FormatLocalTime("%#x", t).contains(QStringLiteral("5")));
}

TEST(Clock, testClockOverridesAndRestores) {
  {
    TestClock clock(1136199600500);
    EXPECT_EQ(NowMs(), 1136199600500);
    EXPECT_EQ(NowSeconds(), 1136199600);
    clock.advanceMs(600);
    EXPECT_EQ(NowSeconds(), 1136199601);
  }
  EXPECT_GT(NowSeconds(), 1700000000);
}
