// The backups made at exit: sealed to the passphrase's public key, opened by
// the passphrase alone, the oldest pruned beyond the number kept.
#include "backup/auto_backup.h"
#include "backup_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace orlane;

namespace {
const QByteArray kPassphrase = "correct horse battery staple";

TEST(AutoBackup, sealedToThePublicKey_opensWithThePassphraseOnly_andPrunesTheOldest) {
  QTemporaryDir dir;
  const QString user = dir.path() + QStringLiteral("/User/");
  const QString folder = dir.path() + QStringLiteral("/Backups");
  QDir().mkpath(folder);
  test::FillTenYears(user);
  const std::optional<BackupPublicKey> key = DeriveBackupPublicKey(kPassphrase, LightBackupKdfCost());
  ASSERT_TRUE(key);

  // The settings keep the public key as text and read it back whole.
  ExtraSettings settings;
  SetAutoBackup(settings, {folder, 2, *key});
  const std::optional<AutoBackupPlan> plan = AutoBackupPlanOf(ExtraSettings::Parse(settings.serialize()));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->key.key, key->key);
  EXPECT_EQ(plan->key.salt, key->salt);
  EXPECT_NE(settings.serialize().indexOf("argon2id:"), -1);
  EXPECT_EQ(settings.serialize().indexOf(kPassphrase), -1);
  // Cleared, the plan is gone; settings that never had one are left as they are.
  ExtraSettings cleared = settings;
  ClearAutoBackup(cleared);
  EXPECT_FALSE(AutoBackupPlanOf(cleared));
  ExtraSettings none;
  ClearAutoBackup(none);
  EXPECT_EQ(none, ExtraSettings());

  QFile other(folder + QStringLiteral("/Orlane-backup-2026-01-01.orlbak"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.close();
  QStringList written;
  for (int i = 0; i < 3; ++i) {
    QString file;
    const QDateTime when(QDate(2026, 12, 9), QTime(10, 0, i));
    ASSERT_TRUE(RunAutoBackup(user, *plan, when, file).ok());
    EXPECT_TRUE(file.endsWith(QStringLiteral("/Orlane-auto-2026-12-09-10000%1.orlbak").arg(i)));
    written.append(file);
  }
  EXPECT_FALSE(QFile::exists(written[0]));
  EXPECT_TRUE(QFile::exists(written[1]) && QFile::exists(written[2]));
  EXPECT_TRUE(other.exists());  // a backup made by hand is never pruned

  EXPECT_EQ(VerifyBackup(written[2], "wrong").result, BackupResult::WrongPassphrase);
  const QString restored = dir.path() + QStringLiteral("/Restored");
  ASSERT_TRUE(RestoreBackup(written[2], restored, user, kPassphrase).ok());
  EXPECT_EQ(test::ReadTree(restored), test::ReadTree(user));

  // Not into the user folder, whose next backup would hold the earlier ones.
  QString file;
  EXPECT_FALSE(RunAutoBackup(user, {user + QStringLiteral("sub"), 2, *key}, QDateTime::currentDateTime(), file).ok());
  EXPECT_FALSE(IsAutoBackupFolderAllowed(user, user));
}

TEST(AutoBackup, damagedKeysAndSealedHeaders_areRefused) {
  const std::optional<BackupPublicKey> key = DeriveBackupPublicKey(kPassphrase, LightBackupKdfCost());
  ASSERT_TRUE(key);
  const QString text = FormatBackupPublicKey(*key);
  EXPECT_TRUE(ParseBackupPublicKey(text));
  for (const QString& bad : {QString(), text.left(text.size() - 1), text + QStringLiteral("0"),
                             QString(text).replace(QStringLiteral("argon2id"), QStringLiteral("scrypt")),
                             QStringLiteral("argon2id:999999:1:00:00"), text.section(QLatin1Char(':'), 0, 3)})
    EXPECT_FALSE(ParseBackupPublicKey(bad)) << bad.toStdString();

  // A sealed header is 156 bytes; cut inside its sealed key it is damaged.
  QByteArray sealed;
  BackupSealer sealer;
  ASSERT_TRUE(sealer.start(*key, [&](QByteArrayView bytes) {
    sealed.append(bytes);
    return true;
  }));
  ASSERT_TRUE(sealer.append("day") && sealer.finish());
  EXPECT_EQ(BackupHeaderSizeOf(sealed), kSealedBackupHeaderSize);
  BackupHeaderError error = BackupHeaderError::None;
  EXPECT_FALSE(ParseBackupHeader(sealed.left(100), error));
  EXPECT_EQ(error, BackupHeaderError::BadParameters);
  const auto header = ParseBackupHeader(sealed, error);
  ASSERT_TRUE(header);
  EXPECT_EQ(SerializeBackupHeader(*header), sealed.left(kSealedBackupHeaderSize));
}
}  // namespace
