#include "days/backup_settings.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace orlane;

namespace {
constexpr std::time_t kNow = 1'800'000'000;  // beyond 2038's 32 bits would be fine too: stored as text
constexpr std::time_t kDay = 24 * 60 * 60;
}  // namespace

TEST(BackupReminder, daysSince_noneYet_andOff) {
  ExtraSettings settings;
  EXPECT_EQ(BackupReminderText(settings, kNow, false), QString());  // a new folder: nothing to back up yet
  EXPECT_EQ(BackupReminderText(settings, kNow, true), QStringLiteral("No backup yet."));

  SetLastBackup(settings, kNow - 7 * kDay + 1, QStringLiteral("/tmp/a.orlbak"));
  EXPECT_EQ(BackupReminderText(settings, kNow, true), QString());
  SetLastBackup(settings, kNow - 12 * kDay - 5, QStringLiteral("/tmp/a.orlbak"));
  EXPECT_EQ(BackupReminderText(settings, kNow, true), QStringLiteral("No backup for 12 days."));
  EXPECT_EQ(settings.serialize(), QByteArray("last_backup=1798963195\nbackup_folder=/tmp\n"));
  // A clock set back makes no reminder of a backup "in the future".
  EXPECT_EQ(BackupReminderText(settings, kNow - 100 * kDay, true), QString());

  ASSERT_TRUE(settings.setInteger(QLatin1String(kBackupReminderDaysKey), 30));
  EXPECT_EQ(BackupReminderText(settings, kNow, true), QString());
  ASSERT_TRUE(settings.setInteger(QLatin1String(kBackupReminderDaysKey), 0));
  EXPECT_EQ(BackupReminderText(ExtraSettings::Parse("backup_reminder_days=0\n"), kNow, true), QString());

  // A hand-edited time that is not one counts as no backup.
  EXPECT_FALSE(LastBackupTime(ExtraSettings::Parse("last_backup=soon\n")));
  EXPECT_EQ(BackupReminderText(ExtraSettings::Parse("last_backup=-5\n"), kNow, true), QStringLiteral("No backup yet."));
}

TEST(BackupReminder, defaultPath_followsTheLastBackupsFolder) {
  const QDate today(2026, 12, 9);
  ExtraSettings settings;
  EXPECT_EQ(DefaultBackupPath(settings, today, QStringLiteral("/docs")),
            QStringLiteral("/docs/Orlane-backup-2026-12-09.orlbak"));
  SetLastBackup(settings, kNow, QDir::tempPath() + QStringLiteral("/old.orlbak"));
  EXPECT_EQ(DefaultBackupPath(settings, today, QStringLiteral("/docs")),
            QDir::tempPath() + QStringLiteral("/Orlane-backup-2026-12-09.orlbak"));
  // A folder that went away is not offered.
  SetLastBackup(settings, kNow, QStringLiteral("/no/such/folder/old.orlbak"));
  EXPECT_EQ(DefaultBackupPath(settings, today, QStringLiteral("/docs")),
            QStringLiteral("/docs/Orlane-backup-2026-12-09.orlbak"));
}
