#include "days/day_files.h"
#include "platform/local_time.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(DayKey, examplesAndOrder) {
  EXPECT_EQ(MakeDayKey(2005, 12, 31), QStringLiteral("07d50c1f"));
  EXPECT_EQ(MakeDayKey(2006, 1, 5), QStringLiteral("07d60105"));
  EXPECT_TRUE(MakeDayKey(2005, 10, 3).startsWith(QStringLiteral("07d50a")));
  EXPECT_LT(MakeDayKey(2005, 12, 31), MakeDayKey(2006, 1, 1));
  EXPECT_LT(MakeDayKey(2006, 9, 30), MakeDayKey(2006, 10, 1));
  EXPECT_EQ(DayKeyOf(MakeLocalTime(2006, 1, 5, 23, 59, 59)), QStringLiteral("07d60105"));
}

TEST(DayKey, fileNamesAreUserFolderKeyAndExtension) {
  test::TempUserFolder folder;
  EXPECT_EQ(DayFilePath(2005, 12, 31, DayFileKind::Reminders), folder.file(QStringLiteral("07d50c1f.alm")));
  EXPECT_EQ(DayFilePath(QStringLiteral("07d50c1f"), DayFileKind::Diary), folder.file(QStringLiteral("07d50c1f.dia")));
  EXPECT_EQ(DayFilePath(QStringLiteral("07d50c1f"), DayFileKind::Sound), folder.file(QStringLiteral("07d50c1f.rec")));
  EXPECT_EQ(UserFilePath(kSettingsFileName), folder.file(QStringLiteral("Orlane.cfg")));
}

TEST(DayKey, isoDatesParseOnlyWhenReal) {
  ASSERT_TRUE(ParseIsoDate(QStringLiteral("2004-02-29")).has_value());
  EXPECT_FALSE(ParseIsoDate(QStringLiteral("2005-02-29")).has_value());
  EXPECT_FALSE(ParseIsoDate(QStringLiteral("2005-1-05")).has_value());
  EXPECT_FALSE(ParseIsoDate(QStringLiteral("2005-13-01")).has_value());
  EXPECT_FALSE(ParseIsoDate(QStringLiteral("")).has_value());
}
