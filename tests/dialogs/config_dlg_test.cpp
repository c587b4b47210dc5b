#include "dialogs/config_dlg.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/theme_frame.h"
#include "dialog_driver.h"
#include "platform/program_info.h"
#include "security/error_log.h"
#include "security/registry_key.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QSpinBox>

using namespace orlane;
using orlane::test::ModalLog;

namespace {
struct ConfigTest : ::testing::Test {
  test::TempUserFolder folder;
  const QString title = QString::fromUtf8(kProgramTitle);

  QByteArray RunValue() {
    CRegistryKey key;
    QByteArray value;
    if (key.Open(RegistryRoot::LocalMachine, QString::fromLatin1(kRunKeyPath)) != 1) return "<no key>";
    return key.GetValue(title, value) == 1 ? value : QByteArray("<none>");
  }
  bool AutostartEntry() { return QFile::exists(AutostartEntryPath(title)); }

  // Runs the dialog the way the main window does and returns what it keeps.
  static Settings Run(const Settings& given, int answer, const std::function<void(CConfigDlg&)>& edit = {}) {
    CConfigDlg dlg(given, 6);
    dlg.EnsureInitialized();
    if (edit) edit(dlg);
    Settings kept = given;
    ScopedModalResponder scope([](const ModalRequest&) { return 1; });
    dlg.OnCommand(answer);
    if (dlg.result() == QDialog::Accepted) kept = dlg.settings();
    return kept;
  }
};
}  // namespace

TEST_F(ConfigTest, controlsShowTheMembersByTheirIndexRules) {
  Settings s;
  s.sampleRate = 22050;
  s.bitsPerSample = 16;
  s.dateFormat = 2;
  s.weekStart = 2;
  s.autorun = 1;
  s.launchDeskleaf = 0;
  s.searchWholeWord = 1;
  CConfigDlg dlg(s, 4);
  dlg.EnsureInitialized();
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Config"));
  EXPECT_EQ(dlg.size(), QSize(330, 483));
  EXPECT_EQ(dlg.SampleRateList()->currentText(), QStringLiteral("22050 Hz"));
  EXPECT_EQ(dlg.BitsList()->currentText(), QStringLiteral("16 Bit"));
  EXPECT_EQ(dlg.DateFormatList()->currentText(), QStringLiteral("yyyy-mm-dd"));
  EXPECT_EQ(dlg.WeekStartList()->currentText(), QStringLiteral("Monday"));
  EXPECT_TRUE(dlg.CheckBox(CConfigDlg::kAutorun)->Checked());
  EXPECT_FALSE(dlg.CheckBox(CConfigDlg::kLaunchDeskleaf)->Checked());
  EXPECT_FALSE(dlg.CheckBox(CConfigDlg::kSearchCase)->Checked());
  EXPECT_TRUE(dlg.CheckBox(CConfigDlg::kSearchWholeWord)->Checked());
  EXPECT_TRUE(dlg.CheckBox(CConfigDlg::kCheckUpdate)->Checked());
  for (int i = 0; i < CConfigDlg::kBoxCount; ++i) EXPECT_EQ(dlg.CheckBox(static_cast<CConfigDlg::Box>(i))->Theme(), 4);
}

TEST_F(ConfigTest, controlsSitAtTheirRectangles) {
  CConfigDlg dlg(Settings{}, 6);
  dlg.EnsureInitialized();
  const int w = dlg.ClientSize().width();
  EXPECT_EQ(w, 330 - 2 * kThemeFrameWidth);
  EXPECT_EQ(dlg.CheckBox(CConfigDlg::kAutorun)->geometry(), QRect(35, 60, w - 70, 18));
  EXPECT_EQ(dlg.CheckBox(CConfigDlg::kCheckUpdate)->geometry(), QRect(35, 140, w - 70, 18));
  EXPECT_EQ(dlg.CheckBox(CConfigDlg::kCheckUpdate)->text(), QStringLiteral("Auto check for new version at startup."));
  EXPECT_EQ(dlg.CheckBox(CConfigDlg::kSearchCase)->geometry(), QRect(40, 290, 100, 18));
  EXPECT_EQ(dlg.CheckBox(CConfigDlg::kSearchWholeWord)->geometry(), QRect(155, 290, 105, 18));
  EXPECT_EQ(dlg.DateFormatList()->geometry().topLeft(), QPoint(140, 200));
  EXPECT_EQ(dlg.DateFormatList()->width(), w - 180);
  EXPECT_EQ(dlg.WeekStartList()->geometry().topLeft(), QPoint(140, 230));
  EXPECT_EQ(dlg.SampleRateList()->geometry().topLeft(), QPoint(140, 375));
  EXPECT_EQ(dlg.BitsList()->geometry().topLeft(), QPoint(140, 405));
  EXPECT_EQ(dlg.Button(CConfigDlg::kChangePasswordId)->geometry(), QRect(w - 150, 328, 130, 24));
  EXPECT_EQ(dlg.Button(CConfigDlg::kHelpId)->geometry(), QRect(w - 235, 448, 65, 23));
  EXPECT_EQ(dlg.Button(1)->geometry(), QRect(w - 160, 448, 65, 23));
  EXPECT_EQ(dlg.Button(2)->geometry(), QRect(w - 85, 448, 65, 23));
  QStringList groups;
  for (const QGroupBox* g : dlg.findChildren<QGroupBox*>())
    if (g->isVisibleTo(&dlg)) groups << g->title();  // the first page
  groups.sort();
  EXPECT_EQ(groups, QStringList({QStringLiteral("Date format"), QStringLiteral("Recorder Set"),
                                 QStringLiteral("Search Option"), QStringLiteral("System Set")}));
}

TEST_F(ConfigTest, secondPage_showsTheAdditiveSettingsAndOkChangesOnlyWhatWasChanged) {
  ExtraSettings given = ExtraSettings::Parse("late_cancel_hours=12\nnewer=1\n");
  const auto run = [&](const std::function<void(CConfigDlg&)>& edit) {
    CConfigDlg dlg(Settings{}, given, 6);
    dlg.EnsureInitialized();
    dlg.OnCommand(CConfigDlg::kPageId);
    EXPECT_EQ(dlg.Page(), 1);
    EXPECT_FALSE(dlg.CheckBox(CConfigDlg::kAutorun)->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.SnoozeMinutesBox()->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.SnoozeMinutesBox()->value(), 5);
    EXPECT_TRUE(dlg.NotificationsBox()->Checked());
    EXPECT_EQ(dlg.LateCancelBox()->value(), 12);
    EXPECT_EQ(dlg.BackupReminderBox()->value(), 7);
    EXPECT_TRUE(dlg.BackupReminderBox()->isVisibleTo(&dlg));
    test::SaveShot(test::Shot(dlg), QStringLiteral("config_page2.png"));
    edit(dlg);
    ScopedModalResponder scope([](const ModalRequest&) { return 1; });
    dlg.OnCommand(1);
    return dlg.extraSettings().serialize();
  };
  EXPECT_EQ(run([](CConfigDlg&) {}), "late_cancel_hours=12\nnewer=1\n");
  EXPECT_EQ(run([](CConfigDlg& dlg) {
              dlg.SnoozeMinutesBox()->setValue(1);
              dlg.NotificationsBox()->SetChecked(false);
              dlg.LateCancelBox()->setValue(0);
              dlg.BackupReminderBox()->setValue(0);
            }),
            "late_cancel_hours=0\nnewer=1\nsnooze_minutes=1\nnotifications=0\nbackup_reminder_days=0\n");
}

TEST_F(ConfigTest, okWithoutChanges_keepsEveryValueAndDeletesTheRunValueWhenAutorunIsOff) {
  {  // an entry left from before
    CRegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, QString::fromLatin1(kRunKeyPath)), 1);
    ASSERT_EQ(key.SetString(title, "/old/orlane", 11), 1);
  }
  ASSERT_TRUE(AutostartEntry());
  const Settings given;
  EXPECT_EQ(Run(given, 1), given);
  EXPECT_EQ(RunValue(), "<none>");
  EXPECT_FALSE(AutostartEntry());
  EXPECT_EQ(Run(given, 1), given);  // a missing value is no error
}

TEST_F(ConfigTest, okWithAutorunOn_writesTheRunValueAndTheAutostartEntry) {
  Settings given;
  given.autorun = 1;
  EXPECT_EQ(Run(given, 1), given);
  EXPECT_EQ(RunValue(), CConfigDlg::AutorunCommand());
  EXPECT_TRUE(CConfigDlg::AutorunCommand().endsWith("/orlane"));
  EXPECT_TRUE(AutostartEntry());

  const Settings off = Run(given, 1, [](CConfigDlg& d) { d.CheckBox(CConfigDlg::kAutorun)->click(); });
  EXPECT_EQ(off.autorun, 0);
  EXPECT_EQ(RunValue(), "<none>");
  EXPECT_FALSE(AutostartEntry());
}

TEST_F(ConfigTest, okStoresTheChosenEntries) {
  const Settings s = Run(Settings{}, 1, [](CConfigDlg& d) {
    d.BitsList()->setCurrentIndex(d.BitsList()->findText(QStringLiteral("16 Bit")));
    d.WeekStartList()->setCurrentIndex(d.WeekStartList()->findText(QStringLiteral("Monday")));
    d.SampleRateList()->setCurrentIndex(3);
    d.DateFormatList()->setCurrentIndex(1);
    for (auto box : {CConfigDlg::kHideAtStartup, CConfigDlg::kLoginOnShow, CConfigDlg::kSearchCase,
                     CConfigDlg::kSearchWholeWord, CConfigDlg::kLaunchDeskleaf, CConfigDlg::kCheckUpdate})
      d.CheckBox(box)->click();
  });
  EXPECT_EQ(s.bitsPerSample, 16);
  EXPECT_EQ(s.weekStart, 2);
  EXPECT_EQ(s.sampleRate, 44100);
  EXPECT_EQ(s.dateFormat, 1);
  EXPECT_EQ(s.hideAtStartup, 1);
  EXPECT_EQ(s.loginOnShow, 1);
  EXPECT_EQ(s.searchCase, 1);
  EXPECT_EQ(s.searchWholeWord, 1);
  EXPECT_EQ(s.launchDeskleaf, 0);
  EXPECT_EQ(s.checkUpdate, 0);
  EXPECT_EQ(s.autorun, 0);
  EXPECT_EQ(s.theme, 6);
}

TEST_F(ConfigTest, runKeyThatCannotBeOpened_isLoggedAndTheOtherSettingsStillTakeEffect) {
  QDir().mkpath(QFileInfo(RegistryStorePath()).absolutePath());
  {
    QFile store(RegistryStorePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write("not a store");
  }
  Settings given;
  given.autorun = 1;
  const Settings s = Run(given, 1, [](CConfigDlg& d) { d.WeekStartList()->setCurrentIndex(1); });
  EXPECT_EQ(s.weekStart, 2);
  EXPECT_EQ(s.autorun, 1);
  EXPECT_FALSE(AutostartEntry());
  QFile log(ErrorLogPath());
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(log.readAll().contains("Can not open registrySOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run."));
  QFile store(RegistryStorePath());
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_EQ(store.readAll(), "not a store");  // never overwritten
}

TEST_F(ConfigTest, cancelLeavesEveryMemberAndTheRunValueAsTheyWere) {
  Settings given;
  given.autorun = 1;
  CConfigDlg dlg(given, 6);
  dlg.EnsureInitialized();
  dlg.BitsList()->setCurrentIndex(1);
  dlg.WeekStartList()->setCurrentIndex(1);
  dlg.CheckBox(CConfigDlg::kAutorun)->click();
  dlg.Button(2)->click();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(dlg.settings(), given);
  EXPECT_EQ(RunValue(), "<none>");  // never written
  EXPECT_FALSE(AutostartEntry());
}

TEST_F(ConfigTest, valuesNoEntryShows_areKeptRatherThanZeroed) {
  Settings odd;
  odd.sampleRate = 16000;
  odd.bitsPerSample = 24;
  odd.weekStart = 7;
  odd.dateFormat = 9;
  const Settings s = Run(odd, 1);
  EXPECT_EQ(s.sampleRate, 16000);
  EXPECT_EQ(s.bitsPerSample, 24);
  EXPECT_EQ(s.weekStart, 7);
  EXPECT_EQ(s.dateFormat, 9);
}

TEST_F(ConfigTest, changePasswordRunsItsDialogAndTheSettingsStayOpen) {
  CConfigDlg dlg(Settings{}, 2);
  dlg.EnsureInitialized();
  QStringList seen;
  int theme = -1;
  ScopedModalResponder scope([&](const ModalRequest& r) {
    seen << r.dialogClass;
    if (auto* d = qobject_cast<CThemedDialog*>(r.dialog)) theme = d->Theme();
    return 2;
  });
  dlg.Button(CConfigDlg::kChangePasswordId)->click();
  EXPECT_EQ(seen, QStringList{QStringLiteral("CChangePassDlg")});
  EXPECT_EQ(theme, 2);
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(ConfigTest, screenshotsInTwoThemes) {
  for (const int theme : {1, 6}) {
    CConfigDlg dlg(Settings{}, theme);
    const QImage shot = test::Shot(dlg);
    ASSERT_EQ(shot.size(), QSize(330, 483));
    EXPECT_EQ(shot.pixel(0, 200), ToQColor(ThemeColor(theme, kThemeOutline)).rgb());
    EXPECT_EQ(shot.pixel(10, 300), ToQColor(ThemeColor(theme, kThemeLightFace)).rgb());
    EXPECT_TRUE(test::SaveShot(shot, QStringLiteral("config_theme%1.png").arg(theme)));
  }
}
