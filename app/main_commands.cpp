// The main window's commands: the menus, the binding of buttons, menu items and
// keys to the commands' actions, and OnCommand handing each to its owner.
#include "app/main_dlg.h"

#include "app/diary_panel.h"
#include "app/main_actions.h"
#include "app/main_deskleaf.h"
#include "app/main_ids.h"
#include "app/main_tray.h"
#include "app/reminder_options.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "backup/auto_backup.h"
#include "calendar/month_calendar.h"
#include "calendar/online_commands.h"
#include "calendar/vendor_site.h"
#include "controls/bv_title.h"
#include "controls/color_list_box.h"
#include "controls/color_theme.h"
#include "controls/desktop_open.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "controls/picker_fields.h"
#include "days/backup_settings.h"
#include "days/day_files.h"
#include "dialogs/backup_dlg.h"
#include "dialogs/config_dlg.h"
#include "dialogs/help_topic.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/program_info.h"
#include "security/session.h"

#include <QApplication>

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QTimeEdit>
#include <QUrl>

namespace orlane {

namespace {
struct MenuItem {
  int id;
  const char* text;
  int bitmap;
};

void Fill(MainActions& actions, NMacMenu* menu, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item.id == 0)
      menu->AppendItem(NMacMenu::kMfSeparator, 0, QString());
    else
      actions.AddToMenu(menu, item.id, QString::fromUtf8(item.text), item.bitmap);
  }
}

void OpenUrl(const QString& url) {
  OpenOnDesktop(QUrl(url));
}
}  // namespace

void CMainDlg::BuildMenus() {
  for (NMacMenu*& m : menus_) m = new NMacMenu(this);
  Fill(*actions_, menus_[0],
       {{ids::kTrayShow, "Show main window", 128},
        {ids::kTrayHide, "Hide main window", 187},
        {ids::kTrayShowClock, "Show Clock", 201},
        {ids::kTrayDeskleaf, "Show Deskleaf", 274},
        {0, nullptr, 0},
        {ids::kTrayConfig, "Config", 184},
        {ids::kExportDiary, "Export diary...", 0},
        {ids::kBackUpNow, "Back up now...", 0},
        {ids::kExportIcal, "Export to iCalendar...", 0},
        {ids::kImportIcal, "Import iCalendar...", 0},
        {ids::kSyncNow, "Sync now", 0},
        {ids::kTrayWebPage, "Visit our web page", 186},
        {ids::kTrayUpdate, "Online Update", 245},
        {ids::kTrayEmail, "Send email to us", 198},
        {0, nullptr, 0},
        {ids::kTrayAbout, "About...", 203},
        {ids::kTrayHelp, "Help", 173},
        {0, nullptr, 0},
        {ids::kTrayExit, "Exit", 133}});
  Fill(*actions_, menus_[1],
       {{ids::kHelpAbout, "About...", 203},
        {ids::kHelpManual, "User manual", 173},
        {ids::kHelpWebsite, "Visit our website", 186},
        {ids::kHelpEmail, "Send email to us", 198},
        {ids::kHelpUpdate, "Online update", 245},
        {ids::kHelpSyncHolidays, "Synchronize holidays", 306}});
  for (int i = 0; i < kThemeCount; ++i) {
    actions_->Action(ids::kThemeFirst + i)->setCheckable(true);
    actions_->AddToMenu(menus_[2], ids::kThemeFirst + i, QString::fromLatin1(ThemeName(i)), 0);
  }
  Fill(*actions_, menus_[3], {{ids::kGotoToday, "Goto Today", 0}});
}

void CMainDlg::ConnectControls() {
  const auto bind = [this](const ControlSet& set) {
    for (int id : set.ids()) {
      if (CMacButton* b = set.button(id)) actions_->BindButton(b);
      if (CMacCheckBox* c = set.check(id)) actions_->BindCheck(c);
    }
  };
  bind(frame_.set);
  for (MainPanel* panel : Panels()) bind(panel->Controls());
  connect(frame_.modeSwitch, &NMacBtnGroup::command, this, [this](int id) { actions_->Action(id)->trigger(); });
  connect(
      frame_.calendar, &CMonthCalendar::dateChanged, this, [this] { OnDateChanged(frame_.calendar->SelectedDate()); },
      Qt::QueuedConnection);
  connect(frame_.datePicker, &QDateEdit::userDateChanged, this, [this](const QDate& d) {
    const std::time_t t = MakeLocalTime(d.year(), d.month(), d.day(), 0, 0, 10);
    if (DayKeyOf(t) != session_->dayKey()) OnDateChanged(t);
  });
  connect(reminders_, &ReminderPanel::remindersChanged, this, &CMainDlg::RefreshStatusMessage);
  // The mouse on the title strip, the title line and the calendar's context menu.
  for (QWidget* w : {client_, static_cast<QWidget*>(frame_.title), static_cast<QWidget*>(frame_.titleLine),
                     static_cast<QWidget*>(frame_.calendar), static_cast<QWidget*>(frame_.datePicker)})
    w->installEventFilter(this);
}

void CMainDlg::PopupMenuUnder(int buttonId, int which) {
  if (QWidget* b = frame_.set.widget(buttonId)) menus_[which]->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void CMainDlg::ShowAbout() {
  const QString text = QStringLiteral("Welcome to ") + QLatin1String(kProgramTitle) + QStringLiteral(" v") +
                       QLatin1String(kProgramVersion) +
                       QStringLiteral(
                           "\nA calendar and diary for one person: reminders that fire at their "
                           "second, a formatted diary page and a sound diary for every day.");
  CMsgBoxDlg box(text, 0, settings_.theme, this);
  box.SetCustomTitle(QStringLiteral("About ") + QLatin1String(kProgramTitle));
  box.exec();
}

void CMainDlg::ShowConfig() {
  CConfigDlg config(settings_, options_->settings(), settings_.theme, this);
  diary_->PrepareConfig(config);
  config.SetServerSetup([this](QWidget* parent) { SetUpSyncServer(parent); });
  if (config.exec() != QDialog::Accepted) return;
  diary_->TakeConfig(config);
  ApplyEditedSettings(config.settings());
  WriteSettings();
  if (!options_->change(config.extraSettings()))
    ThemedNotice(QStringLiteral("The settings could not be saved.\n%1: %2")
                     .arg(UserFilePath(kExtraSettingsFileName), LastFileError()),
                 settings_.theme, this);
  FollowSyncSettings();
}

void CMainDlg::BackUpNow() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QFileInfo(documents).isDir()) documents = QDir::homePath();
  CBackupDlg dialog(DefaultBackupPath(options_->settings(), QDate::currentDate(), documents), settings_.theme, this,
                    DefaultBackupKdfCost(), AutoBackupPlanOf(options_->settings()).has_value());
  if (dialog.exec() != QDialog::Accepted) return;
  ExtraSettings edited = options_->settings();
  SetLastBackup(edited, NowSeconds(), dialog.File());
  if (dialog.AtExitKey())
    SetAutoBackup(edited, {QFileInfo(dialog.File()).absolutePath(), CBackupDlg::KeptAtExit(), *dialog.AtExitKey()});
  else if (!dialog.AtExitChosen())
    ClearAutoBackup(edited);
  if (!options_->change(edited))
    ThemedNotice(QStringLiteral("The time of the backup could not be saved.\n%1: %2")
                     .arg(UserFilePath(kExtraSettingsFileName), LastFileError()),
                 settings_.theme, this);
  RebuildTitleLine();
}

void CMainDlg::ApplyEditedSettings(const Settings& edited) {
  // Result entries are dates in the old format: they are listed again in the new one.
  const QStringList results = search_->ResultKeys();
  if (edited.theme != settings_.theme) ApplyTheme(edited.theme);
  const int theme = settings_.theme;
  settings_ = edited;
  settings_.theme = theme;
  frame_.calendar->weekStart = settings_.weekStart;
  frame_.calendar->dateFormat = settings_.dateFormat;
  frame_.calendar->Redraw();
  frame_.calendar->update();
  search_->ListResults(results);
  ApplyDateSettings();
  deskleaf_->ApplySettings(settings_.dateFormat, settings_.weekStart);
  LayOut(client_->width(), client_->height());
  RefreshStatusMessage();
  RebuildTitleLine();
}

void CMainDlg::StepShownDay(int days) {
  // While a recording runs the calendar is off, and the day stays.
  if (!frame_.calendar->isEnabled()) return;
  const LocalDate d = LocalDateOf(session_->selectedDate());
  OnDateChanged(MakeLocalTime(d.year, d.month, d.day + days, 0, 0, 10));
}

void CMainDlg::ApplyDateSettings() {
  orlane::ApplyDateSettings(frame_.datePicker, settings_.dateFormat, settings_.weekStart);
  search_->ApplyDateSettings(settings_.dateFormat, settings_.weekStart);
}

void CMainDlg::OpenModeHelp() {
  const char* topic = mode_ == ids::kModeDiary   ? help::kDiary
                      : mode_ == ids::kModeSound ? help::kSoundDiary
                                                 : help::kReminders;
  OpenHelpTopic(QLatin1String(topic), Theme(), this);
}

bool CMainDlg::AskPassword() {
  if (loginOpen_) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle().endsWith(QStringLiteral(" - Login"))) w->raise();
    return false;
  }
  if (!passwordPrompt_) return true;
  loginOpen_ = true;
  const bool ok = passwordPrompt_(settings_.theme, nullptr);
  loginOpen_ = false;
  return ok;
}

int CMainDlg::ToggleMainWindow() {
  bool pending = LoginPending();
  const bool wasPending = pending;
  const int r = tray_->toggle(pending, settings_.loginOnShow != 0);
  SetLoginPending(pending);
  if (wasPending && !pending) OfferRecovery();  // the first login after a hidden start
  return r;
}

void CMainDlg::OnCommand(int id) {
  for (MainPanel* panel : Panels())
    if (panel->OwnsCommand(id)) return panel->OnCommand(id);
  if (id >= ids::kThemeFirst && id <= ids::kThemeLast) {
    ApplyTheme(id - ids::kThemeFirst);
    return;
  }
  switch (id) {
    case ids::kMinimize: showMinimized(); break;
    case ids::kClose:
    case ids::kTrayExit: OnCancelRequest(); break;
    case ids::kMaximize: ToggleMaximized(); break;
    case ids::kHide:
      if (tray_->state() == TrayState::Shown && trayHost_->HasTray()) ToggleMainWindow();
      break;
    case ids::kModeReminder:
    case ids::kModeDiary:
    case ids::kModeSound: SetMode(id); break;
    case ids::kTrayShow:
      if (tray_->state() == TrayState::Hidden) ToggleMainWindow();
      break;
    case ids::kTrayHide:
      if (tray_->state() == TrayState::Shown && trayHost_->HasTray()) ToggleMainWindow();
      break;
    case ids::kTrayShowClock: alarmHost_->ShowClockInfo(); break;
    case ids::kTrayDeskleaf:
      deskleaf_->Show(settings_.theme, settings_.dateFormat, settings_.weekStart, SelectedDate());
      break;
    case ids::kTrayConfig:
      if (LoginPending() && !AskPassword()) break;
      ShowConfig();
      break;
    case ids::kShowConfig: ShowConfig(); break;
    case ids::kBackUpNow:
      if (LoginPending() && !AskPassword()) break;
      BackUpNow();
      break;
    case ids::kExportIcal:
      if (LoginPending() && !AskPassword()) break;
      ExportIcalendar();
      break;
    case ids::kImportIcal:
      if (LoginPending() && !AskPassword()) break;
      ImportIcalendar();
      break;
    case ids::kSyncNow: SyncNow(); break;
    case ids::kTrayWebPage:
    case ids::kHelpWebsite: OpenVendorSite(this, settings_.theme); break;
    case ids::kTrayEmail:
    case ids::kHelpEmail: OpenUrl(QStringLiteral("mailto:support@orlane.example.org")); break;
    case ids::kTrayUpdate:
    case ids::kHelpUpdate: CheckUpdate(this, settings_.theme); break;
    case ids::kHelpSyncHolidays:
    case ids::kSyncHolidays:
      // The year the person is looking at; both calendars show its holidays in bold at once,
      // and the widget's reminder panel its day's holiday name.
      SyncHolidays(this, settings_.theme, LocalDateOf(SelectedDate()).year);
      RedrawCalendar();
      deskleaf_->RefreshReminders();
      break;
    case ids::kTrayAbout:
    case ids::kHelpAbout: ShowAbout(); break;
    case ids::kTrayHelp:
    case ids::kHelpManual: OpenModeHelp(); break;
    case ids::kGotoToday: GotoToday(); break;
    case ids::kPreviousDay: StepShownDay(-1); break;
    case ids::kNextDay: StepShownDay(1); break;
    case ids::kSaveAll: SaveAll(); break;
    case ids::kHelpButton: PopupMenuUnder(ids::kHelpButton, 1); break;
    case ids::kThemeButton: PopupMenuUnder(ids::kThemeButton, 2); break;
    case ids::kCalendarSwitch: ToggleCalendarShown(); break;
    default: break;  // check boxes that only hold a state
  }
}

}  // namespace orlane
