#include "platform/week_rule.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(WeekRule, isoWeeksAtTheEndsOfTheYear) {
  EXPECT_EQ(WeekOfYear(QDate(2026, 12, 8), kIsoWeekRule), 50);
  EXPECT_EQ(WeekOfYear(QDate(2025, 12, 29), kIsoWeekRule), 1);  // Monday of 2026's first week
  EXPECT_EQ(WeekOfYear(QDate(2021, 1, 3), kIsoWeekRule), 53);   // Sunday in 2020's last week
  EXPECT_EQ(WeekOfYear(QDate(2020, 12, 31), kIsoWeekRule), 53);
  // Every day agrees with Qt's own ISO numbering over a few years.
  for (QDate d(2019, 12, 20); d < QDate(2028, 1, 10); d = d.addDays(1))
    ASSERT_EQ(WeekOfYear(d, kIsoWeekRule), d.weekNumber()) << d.toString(Qt::ISODate).toStdString();
}

TEST(WeekRule, sundayWeeks) {
  const WeekRule holdsJanuary1{Qt::Sunday, 1};
  EXPECT_EQ(WeekOfYear(QDate(2026, 1, 1), holdsJanuary1), 1);
  EXPECT_EQ(WeekOfYear(QDate(2026, 1, 4), holdsJanuary1), 2);
  EXPECT_EQ(WeekOfYear(QDate(2026, 12, 8), holdsJanuary1), 50);
  EXPECT_EQ(WeekOfYear(QDate(2025, 12, 28), holdsJanuary1), 1);  // the week of 1 January 2026
  const WeekRule fullWeek{Qt::Sunday, 7};
  EXPECT_EQ(WeekOfYear(QDate(2026, 1, 3), fullWeek), 52);  // before the first Sunday: last year's
  EXPECT_EQ(WeekOfYear(QDate(2026, 1, 4), fullWeek), 1);
  EXPECT_EQ(WeekOfYear(QDate(2026, 12, 8), fullWeek), 49);
}

TEST(WeekRule, names) {
  EXPECT_EQ(WeekRuleName(kIsoWeekRule), QStringLiteral("ISO 8601"));
  EXPECT_EQ(WeekRuleName({Qt::Sunday, 1}), QStringLiteral("weeks from Sunday, week 1 holds 1 January"));
  EXPECT_EQ(WeekRuleName({Qt::Saturday, 7}), QStringLiteral("weeks from Saturday, week 1 is the first full week"));
  EXPECT_EQ(WeekRuleName({Qt::Monday, 1}), QStringLiteral("weeks from Monday, week 1 holds 1 January"));
}

// The locale data as the C library keeps it: glibc's reference day 1997-11-30
// is a Sunday; de_DE says first_weekday 2, en_US 1.
TEST(WeekRule, fromLocaleData) {
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 2, 4), kIsoWeekRule);
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 1, 1), (WeekRule{Qt::Sunday, 1}));
  EXPECT_EQ(WeekRuleFromLocaleData(19971201, 1, 4), kIsoWeekRule);  // a Monday reference
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 7, 1), (WeekRule{Qt::Saturday, 1}));
  // Nonsense data falls back to ISO 8601.
  EXPECT_EQ(WeekRuleFromLocaleData(0, 1, 1), kIsoWeekRule);
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 0, 4), kIsoWeekRule);
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 8, 4), kIsoWeekRule);
  EXPECT_EQ(WeekRuleFromLocaleData(19971130, 1, 9), kIsoWeekRule);
  EXPECT_EQ(WeekRuleFromLocaleData(19971399, 1, 1), kIsoWeekRule);
}

TEST(WeekRule, plainLocaleIsIso) {
  EXPECT_EQ(LocaleWeekRule(), kIsoWeekRule);  // tests run in C.UTF-8
}
