#include "days/extra_settings.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(ExtraSettings, unknownLinesAndKeysSurviveASetByteForByte) {
  const QByteArray file = "# written by a newer version\r\nfuture_key = x y\n\nsnooze_minutes=10\nnot a setting\n";
  ExtraSettings settings = ExtraSettings::Parse(file);
  EXPECT_EQ(settings.integer(QStringLiteral("snooze_minutes")), 10);
  EXPECT_EQ(settings.serialize(),
            QByteArray("# written by a newer version\nfuture_key = x y\n\nsnooze_minutes=10\nnot a setting\n"));
  ASSERT_TRUE(settings.setInteger(QStringLiteral("snooze_minutes"), 15));
  ASSERT_TRUE(settings.setInteger(QStringLiteral("late_cancel_hours"), 12));
  EXPECT_EQ(settings.serialize(),
            QByteArray("# written by a newer version\nfuture_key = x y\n\nsnooze_minutes=15\nnot a setting\n"
                       "late_cancel_hours=12\n"));
}

TEST(ExtraSettings, outOfRangeOrGarbageReadsAsDefaultAndSetRefusesIt) {
  ExtraSettings settings = ExtraSettings::Parse("snooze_minutes=0\nnotifications=yes\nlate_cancel_hours=99999999999\n");
  EXPECT_EQ(settings.integer(QStringLiteral("snooze_minutes")), 5);
  EXPECT_TRUE(settings.flag(QStringLiteral("notifications")));
  EXPECT_EQ(settings.integer(QStringLiteral("late_cancel_hours")), 0);
  const QByteArray before = settings.serialize();
  EXPECT_FALSE(settings.set(QStringLiteral("snooze_minutes"), QStringLiteral("1441")));
  EXPECT_FALSE(settings.set(QStringLiteral("notifications"), QStringLiteral("2")));
  EXPECT_FALSE(settings.set(QStringLiteral("no_such_key"), QStringLiteral("1")));
  EXPECT_EQ(settings.serialize(), before);
  EXPECT_TRUE(ExtraSettingValueError(*FindExtraSettingKey(QStringLiteral("snooze_minutes")), QStringLiteral("abc")));
}

TEST(ExtraSettings, hostileBytesNeverCrashAndReadBackAsWritten) {
  test::RandomBytes random(7);
  for (int round = 0; round < 200; ++round) {
    const QByteArray bytes = random.bytes(900);
    const ExtraSettings settings = ExtraSettings::Parse(bytes);
    (void)settings.integer(QStringLiteral("snooze_minutes"));
    EXPECT_EQ(ExtraSettings::Parse(settings.serialize()), settings);
  }
}

TEST(ExtraSettings, mergeKeepsWhatAnotherWriterChanged) {
  const ExtraSettings base = ExtraSettings::Parse("snooze_minutes=5\nnotifications=1\n");
  ExtraSettings mine = base;
  ASSERT_TRUE(mine.setInteger(QStringLiteral("snooze_minutes"), 20));
  ExtraSettings disk = base;
  ASSERT_TRUE(disk.setInteger(QStringLiteral("notifications"), 0));
  const ExtraSettings merged = MergeExtraSettings(base, mine, disk);
  EXPECT_EQ(merged.integer(QStringLiteral("snooze_minutes")), 20);
  EXPECT_FALSE(merged.flag(QStringLiteral("notifications")));
}

TEST(ExtraSettings, fileRoundTripAndMissingFile) {
  test::TempUserFolder folder;
  const QString path = folder.file(QString::fromLatin1(kExtraSettingsFileName));
  ExtraSettings settings;
  EXPECT_EQ(ReadExtraSettingsFile(path, settings), ExtraSettingsReadResult::Missing);
  ASSERT_TRUE(settings.setInteger(QStringLiteral("late_cancel_hours"), 12));
  ASSERT_EQ(WriteExtraSettingsFile(path, settings), WriteResult::Written);
  EXPECT_EQ(folder.read(QString::fromLatin1(kExtraSettingsFileName)), QByteArray("late_cancel_hours=12\n"));
  ExtraSettings read;
  EXPECT_EQ(ReadExtraSettingsFile(path, read), ExtraSettingsReadResult::Ok);
  EXPECT_EQ(read, settings);
}
