#include "dialogs/backup_dlg.h"
#include "backup/backup_file.h"
#include "controls/bar_ctrl.h"
#include "controls/mac_check_box.h"
#include "dialog_driver.h"
#include "support/temp_user_folder.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace orlane;

// Refused passphrases, a run to completion that verifies, and Cancel during a
// run that leaves no file: the dialog as a person uses it.
TEST(BackupDialog, refusesMismatch_backsUpToTheEnd_andCancelLeavesNothing) {
  test::TempUserFolder folder;
  for (int i = 1; i <= 28; ++i)
    folder.write(QStringLiteral("07ea02%1.dia").arg(i, 2, 16, QLatin1Char('0')), QByteArray(200'000, 'x'));
  const QString archive = folder.root() + QStringLiteral("one.orlbak");
  {
    CBackupDlg dlg(archive, 6, nullptr, LightBackupKdfCost());
    dlg.EnsureInitialized();
    EXPECT_EQ(dlg.FileEdit()->text(), archive);
    test::SaveShot(test::Shot(dlg), QStringLiteral("backup_dlg.png"));
    test::ModalLog log;
    dlg.OnCommand(CBackupDlg::kBackUpId);
    test::Type(dlg.PassphraseEdit(), QStringLiteral("secret words"));
    test::Type(dlg.RepeatEdit(), QStringLiteral("secret wordz"));
    dlg.OnCommand(CBackupDlg::kBackUpId);
    EXPECT_FALSE(dlg.Running());
    EXPECT_EQ(log.notices,
              QStringList({QStringLiteral("Please type a passphrase for the backup."),
                           QStringLiteral("The two passphrases differ. Please type the same one twice.")}));
    EXPECT_FALSE(QFileInfo::exists(archive));

    test::Type(dlg.RepeatEdit(), QStringLiteral("secret words"));
    dlg.FileEdit()->setText(folder.user() + QStringLiteral("in.orlbak"));
    dlg.AtExitBox()->SetChecked(true);
    dlg.OnCommand(CBackupDlg::kBackUpId);
    EXPECT_FALSE(dlg.Running());
    EXPECT_TRUE(log.notices.last().startsWith(QStringLiteral("Backups at exit cannot go into the user folder.")));
    dlg.FileEdit()->setText(archive);
    dlg.AtExitBox()->SetChecked(false);
    dlg.OnCommand(CBackupDlg::kBackUpId);
    ASSERT_TRUE(dlg.Running());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Running(), 60'000);
    EXPECT_EQ(log.notices.last(), QStringLiteral("The backup is complete."));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.File(), archive);
  }
  EXPECT_TRUE(VerifyBackup(archive, "secret words").ok());
  {
    // Backups at exit chosen: the passphrase's public key comes back, and what
    // is sealed to it opens with the passphrase.
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.path() + QStringLiteral("/three.orlbak");
    CBackupDlg dlg(outside, 6, nullptr, LightBackupKdfCost());
    dlg.EnsureInitialized();
    test::ModalLog log;
    test::Type(dlg.PassphraseEdit(), QStringLiteral("secret words"));
    test::Type(dlg.RepeatEdit(), QStringLiteral("secret words"));
    dlg.AtExitBox()->SetChecked(true);
    dlg.OnCommand(CBackupDlg::kBackUpId);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.Running(), 60'000);
    ASSERT_TRUE(dlg.AtExitKey());
    const QString sealed = elsewhere.path() + QStringLiteral("/sealed.orlbak");
    ASSERT_TRUE(CreateBackup(folder.user(), sealed, *dlg.AtExitKey()).ok());
    EXPECT_TRUE(VerifyBackup(sealed, "secret words").ok());
  }

  const QString cancelled = folder.root() + QStringLiteral("two.orlbak");
  CBackupDlg dlg(cancelled, 6, nullptr, LightBackupKdfCost());
  dlg.EnsureInitialized();
  test::ModalLog log;
  test::Type(dlg.PassphraseEdit(), QStringLiteral("p"));
  test::Type(dlg.RepeatEdit(), QStringLiteral("p"));
  dlg.OnCommand(CBackupDlg::kBackUpId);
  dlg.OnCommand(CThemedDialog::kCloseButtonId);
  QTRY_VERIFY_WITH_TIMEOUT(!dlg.Running(), 60'000);
  EXPECT_EQ(log.notices.last(), QStringLiteral("The backup was cancelled; nothing was written."));
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(QDir(folder.root()).entryList({QStringLiteral("two*")}, QDir::Files | QDir::Hidden), QStringList());
}
