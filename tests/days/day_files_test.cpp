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

TEST(DayKey, keysReadBackOnlyWhenTheyNameARealDay) {
  const std::optional<CalendarDate> d = ParseDayKey(QStringLiteral("07d50c1f"));
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->year, 2005);
  EXPECT_EQ(d->month, 12);
  EXPECT_EQ(d->day, 31);
  for (const char* bad : {"07D50C1F", "07d50c1", "07d50c1f0", "07d50d01", "07d5021d", "07d5000a", "zzzzzzzz", ""})
    EXPECT_FALSE(ParseDayKey(QString::fromLatin1(bad)).has_value()) << bad;
  EXPECT_TRUE(ParseDayKey(QStringLiteral("07d4021d")).has_value());  // 29 February 2004
}

TEST(DayKey, dayFilesOfAKindInARangeInDateOrder) {
  test::TempUserFolder folder;
  for (const char* name : {"07d60105.dia", "07d50c1f.dia", "07d60201.dia", "07d60106.alm", "07D60107.dia",
                           "notakey1.dia", "07d60105.dia.tmp"})
    folder.write(QString::fromLatin1(name), "x");
  EXPECT_EQ(DayKeysWithFile(DayFileKind::Diary, QStringLiteral("00000000"), QStringLiteral("ffffffff")),
            (QStringList{QStringLiteral("07d50c1f"), QStringLiteral("07d60105"), QStringLiteral("07d60201")}));
  EXPECT_EQ(DayKeysWithFile(DayFileKind::Diary, MakeDayKey(2006, 1, 1), MakeDayKey(2006, 1, 31)),
            QStringList{QStringLiteral("07d60105")});
  EXPECT_EQ(DayKeysWithFile(DayFileKind::Reminders, QStringLiteral("00000000"), QStringLiteral("ffffffff")),
            QStringList{QStringLiteral("07d60106")});
}
