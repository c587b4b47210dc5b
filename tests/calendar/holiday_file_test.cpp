#include "calendar/holiday_file.h"
#include "holiday_test_folder.h"
#include "platform/local_time.h"
#include "support/random_bytes.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>

namespace orlane {
namespace {

using test::HolidayTestFolder;
using test::kFourLineHolidays;

TEST(HolidayNameIn, fourLineFile_findsChristmasAndNothingOnTheDayBefore) {
  EXPECT_EQ(HolidayNameIn(kFourLineHolidays, 12, 25), QStringLiteral("Christmas"));
  EXPECT_EQ(HolidayNameIn(kFourLineHolidays, 1, 1), QStringLiteral("New Year"));
  EXPECT_TRUE(HolidayNameIn(kFourLineHolidays, 12, 24).isEmpty());
}

TEST(HolidayNameIn, lastNameWithoutLineEnd_isReadToTheEnd) {
  EXPECT_EQ(HolidayNameIn("01/01\r\nA\r\n05/01\r\nLabour Day of all", 5, 1), QStringLiteral("Labour Day of all"));
  EXPECT_EQ(HolidayNameIn("01/01\r\nA\r\n05/01\r\nMay Day\r\n", 5, 1), QStringLiteral("May Day"));
}

TEST(HolidayNameIn, firstOccurrenceWins_evenInsideAName) {
  // The date text is searched anywhere, as the stored files were always read.
  EXPECT_EQ(HolidayNameIn("01/01\r\nSee 03/04\r\nX\r\n03/04\r\nReal", 3, 4), QStringLiteral("X"));
  EXPECT_EQ(HolidayNameIn("01/01\r\nA\r\n03/04\r\nFirst\r\n03/04\r\nSecond", 3, 4), QStringLiteral("First"));
}

TEST(HolidayNameIn, brokenFiles_giveEmptyOrTheLineThatIsThere) {
  EXPECT_TRUE(HolidayNameIn("", 1, 1).isEmpty());
  EXPECT_TRUE(HolidayNameIn("01/01", 1, 1).isEmpty());             // no name line
  EXPECT_TRUE(HolidayNameIn("01/01\n New Year", 1, 1).isEmpty());  // LF only: no CR LF follows
  EXPECT_TRUE(HolidayNameIn("01/01\r\n", 1, 1).isEmpty());
  EXPECT_TRUE(HolidayNameIn("1/1\r\nX", 1, 1).isEmpty());
  EXPECT_TRUE(HolidayNameIn(kFourLineHolidays, 13, 1).isEmpty());
  EXPECT_TRUE(HolidayNameIn(kFourLineHolidays, 0, 1).isEmpty());
  EXPECT_TRUE(HolidayNameIn(kFourLineHolidays, 1, 32).isEmpty());
  // Every truncation of a good file yields a prefix of the real name or nothing.
  for (qsizetype n = 0; n <= kFourLineHolidays.size(); ++n) {
    const QString name = HolidayNameIn(kFourLineHolidays.left(n), 12, 25);
    EXPECT_TRUE(QStringLiteral("Christmas").startsWith(name)) << n;
  }
}

TEST(HolidayNameIn, randomBytes_neverCrash) {
  test::RandomBytes random(0x5eed);
  for (int i = 0; i < 2000; ++i) {
    QByteArray bytes = random.bytes(200);
    if (i % 3 == 0) bytes.prepend("01/01\r\n");
    (void)HolidayNameIn(bytes, 1 + i % 12, 1 + i % 31);
  }
  SUCCEED();
}

TEST(DecodeHolidayText, legacyBytes_areReadAsLatin1) {
  EXPECT_EQ(DecodeHolidayText("F\xc3\xaate"), QStringLiteral("F\u00eate"));
  EXPECT_EQ(DecodeHolidayText("F\xeate"), QStringLiteral("F\u00eate"));
}

TEST(GetHolidayText, yearWithoutFile_isEmptyForEveryDay) {
  HolidayTestFolder folder;
  EXPECT_TRUE(GetHolidayText(2031, 1, 1).isEmpty());
  EXPECT_TRUE(GetHolidayText(2031, 12, 25).isEmpty());
}

TEST(GetHolidayText, yearSelectsTheFile_andTimeValuesUseTheLocalDate) {
  HolidayTestFolder folder;
  folder.write(2005, kFourLineHolidays);
  EXPECT_EQ(GetHolidayText(2005, 12, 25), QStringLiteral("Christmas"));
  EXPECT_TRUE(GetHolidayText(2006, 12, 25).isEmpty());
  EXPECT_EQ(GetHolidayText(MakeLocalTime(2005, 12, 25, 0, 30)), QStringLiteral("Christmas"));
  EXPECT_EQ(GetHolidayText(MakeLocalTime(2005, 12, 25, 23, 59, 59)), QStringLiteral("Christmas"));
}

TEST(GetHolidayText, fileChangedOnDisk_isReadAgain) {
  HolidayTestFolder folder;
  folder.write(2010, "01/01\r\nOld\r\n");
  EXPECT_EQ(GetHolidayText(2010, 1, 1), QStringLiteral("Old"));
  folder.write(2010, "01/01\r\nNewer name\r\n");  // a different size
  EXPECT_EQ(GetHolidayText(2010, 1, 1), QStringLiteral("Newer name"));
  folder.write(2010, "01/01\r\nSame size!\r\n");  // same size: the modification time tells
  QFile f(folder.path(2010));
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
  f.close();
  EXPECT_EQ(GetHolidayText(2010, 1, 1), QStringLiteral("Same size!"));
  QFile::remove(folder.path(2010));
  EXPECT_TRUE(GetHolidayText(2010, 1, 1).isEmpty());
}

TEST(GetHolidayText, oversizedOrUnreadableFile_givesEmpty) {
  HolidayTestFolder folder;
  QByteArray huge = "01/01\r\nBig\r\n";
  huge.append(QByteArray(kMaxHolidayFileBytes, 'x'));
  folder.write(2012, huge);
  EXPECT_TRUE(GetHolidayText(2012, 1, 1).isEmpty());
  folder.write(2013, kFourLineHolidays);
  QFile::setPermissions(folder.path(2013), QFileDevice::Permissions());
  if (!QFile(folder.path(2013)).open(QIODevice::ReadOnly)) {
    EXPECT_TRUE(GetHolidayText(2013, 1, 1).isEmpty());
  }
  QFile::setPermissions(folder.path(2013), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(HolidayFolders, forcedFolder_isTheOnlyOneReadAndWritten) {
  HolidayTestFolder folder;
  const QString forced = qEnvironmentVariable("ORLANE_HOLIDAY_DIR");
  EXPECT_EQ(HolidayDownloadFolder(), forced + QLatin1Char('/'));
  EXPECT_EQ(HolidayLookupFolders(), QStringList{forced + QLatin1Char('/')});
  EXPECT_EQ(HolidayFileName(2005), QStringLiteral("Holidays_2005.bin"));
}

}  // namespace
}  // namespace orlane
