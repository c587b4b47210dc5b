// The main window's commands: the command table, the keys, the menus.
#include "app/main_dlg.h"

#include "days/day_files.h"
#include "app/main_ids.h"
#include "app/main_keys.h"
#include "app/main_tray.h"
#include "calendar/month_calendar.h"
#include "calendar/online_commands.h"
#include "calendar/vendor_site.h"
#include "controls/bv_title.h"
#include "controls/color_list_box.h"
#include "controls/desktop_open.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "diary/rich_diary_ctrl.h"
#include "controls/color_theme.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "platform/program_info.h"
#include "dialogs/config_dlg.h"
#include "dialogs/help_topic.h"
#include "security/session.h"

#include <QApplication>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
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

void Fill(NMacMenu* menu, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item.id == 0) {
      menu->AppendItem(NMacMenu::kMfSeparator, 0, QString());
      continue;
    }
    menu->AppendItem(NMacMenu::kMfString, item.id, QString::fromUtf8(item.text));
    if (item.bitmap) menu->SetIcon(item.id, item.bitmap);
  }
}

void OpenUrl(const QString& url) { OpenOnDesktop(QUrl(url)); }
}  // namespace

void CMainDlg::BuildMenus() {
  for (NMacMenu*& m : menus_) m = new NMacMenu(this);
  Fill(menus_[0], {{ids::kTrayShow, "Show main window", 128},
                   {ids::kTrayHide, "Hide main window", 187},
                   {ids::kTrayShowClock, "Show Clock", 201},
                   {ids::kTrayDeskleaf, "Show Deskleaf", 274},
                   {0, nullptr, 0},
                   {ids::kTrayConfig, "Config", 184},
                   {ids::kTrayWebPage, "Visit our web page", 186},
                   {ids::kTrayUpdate, "Online Update", 245},
                   {ids::kTrayEmail, "Send email to us", 198},
                   {0, nullptr, 0},
                   {ids::kTrayAbout, "About...", 203},
                   {ids::kTrayHelp, "Help", 173},
                   {0, nullptr, 0},
                   {ids::kTrayExit, "Exit", 133}});
  Fill(menus_[1], {{ids::kHelpAbout, "About...", 203},
                   {ids::kHelpManual, "User manual", 173},
                   {ids::kHelpWebsite, "Visit our website", 186},
                   {ids::kHelpEmail, "Send email to us", 198},
                   {ids::kHelpUpdate, "Online update", 245},
                   {ids::kHelpSyncHolidays, "Synchronize holidays", 306}});
  for (int i = 0; i < kThemeCount; ++i)
    menus_[2]->AppendItem(NMacMenu::kMfString, ids::kThemeFirst + i, QString::fromLatin1(ThemeName(i)));
  Fill(menus_[3], {{ids::kGotoToday, "Goto Today", 0}});
  for (NMacMenu* m : menus_) connect(m, &NMacMenu::command, this, &CMainDlg::OnCommand);
}

void CMainDlg::ConnectControls() {
  for (auto it = controls_.byId.cbegin(); it != controls_.byId.cend(); ++it) {
    if (auto* b = qobject_cast<CMacButton*>(it.value())) connect(b, &CMacButton::commandClicked, this, &CMainDlg::OnCommand);
    if (auto* c = qobject_cast<CMacCheckBox*>(it.value()))
      connect(c, &CMacCheckBox::commandClicked, this, &CMainDlg::OnCommand);
  }
  connect(controls_.modeSwitch, &NMacBtnGroup::command, this, &CMainDlg::OnCommand);
  connect(controls_.calendar, &CMonthCalendar::dateChanged, this,
          [this] { OnDateChanged(controls_.calendar->SelectedDate()); }, Qt::QueuedConnection);
  connect(controls_.datePicker, &QDateEdit::userDateChanged, this, [this](const QDate& d) {
    const std::time_t t = MakeLocalTime(d.year(), d.month(), d.day(), 0, 0, 10);
    if (DayKeyOf(t) != loaded_.dayKey) OnDateChanged(t);
  });
  connect(controls_.reminderList, &QListWidget::currentRowChanged, this, [this] { OnReminderSelection(); });
  connect(controls_.fontName, &QComboBox::activated, this, [this] { OnFontCombo(ids::kFontName); });
  connect(controls_.fontSize, &QComboBox::activated, this, [this] { OnFontCombo(ids::kFontSize); });
  connect(controls_.diaryEditor, &QTextEdit::cursorPositionChanged, this, [this] { SyncDiaryFormat(); },
          Qt::QueuedConnection);
  connect(controls_.searchResults, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { OpenSearchResult(item->text()); });
  client_->installEventFilter(this);
  controls_.title->installEventFilter(this);
  controls_.titleLine->installEventFilter(this);
  controls_.calendar->installEventFilter(this);
  controls_.datePicker->installEventFilter(this);
  for (QWidget* w : client_->findChildren<QWidget*>()) w->installEventFilter(this);
}

bool CMainDlg::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
  switch (KeyActionFor(key, modifiers, mode_)) {
    case KeyAction::None: return false;
    case KeyAction::SaveAll: SaveAll(); break;
    case KeyAction::ShowConfig: ShowConfig(); break;
    case KeyAction::Print: OnCommand(ids::kPrint); break;
    case KeyAction::SearchAll: OnCommand(ids::kSearch); break;
    case KeyAction::FindInText: OnCommand(ids::kFind); break;
    case KeyAction::ToggleCalendar: ToggleCalendarShown(); break;
    case KeyAction::Help: OpenModeHelp(); break;
    case KeyAction::Bold: ToggleFormatButton(ids::kBold); break;
    case KeyAction::Italic: ToggleFormatButton(ids::kItalic); break;
    case KeyAction::Underline: ToggleFormatButton(ids::kUnderline); break;
  }
  return true;
}

void CMainDlg::PopupMenuUnder(int buttonId, int which) {
  if (QWidget* b = controls_.widget(buttonId)) menus_[which]->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void CMainDlg::ShowAbout() {
  const QString text = QStringLiteral("Welcome to ") + QLatin1String(kProgramTitle) + QStringLiteral(" v") +
                       QLatin1String(kProgramVersion) +
                       QStringLiteral("\nA calendar and diary for one person: reminders that fire at their "
                                      "second, a formatted diary page and a sound diary for every day.");
  CMsgBoxDlg box(text, 0, settings_.theme, this);
  box.SetCustomTitle(QStringLiteral("About ") + QLatin1String(kProgramTitle));
  box.exec();
}

void CMainDlg::ShowConfig() {
  CConfigDlg config(settings_, settings_.theme, this);
  if (config.exec() != QDialog::Accepted) return;
  ApplyEditedSettings(config.settings());
  WriteSettings();
}

void CMainDlg::ApplyEditedSettings(const Settings& edited) {
  // Result entries are dates in the old format: they are listed again in the new one.
  const QStringList results = SearchResultKeys();
  if (edited.theme != settings_.theme) ApplyTheme(edited.theme);
  const int theme = settings_.theme;
  settings_ = edited;
  settings_.theme = theme;
  controls_.calendar->weekStart = settings_.weekStart;
  controls_.calendar->Redraw();
  controls_.calendar->update();
  ListSearchResults(results);
  LayOut(client_->width(), client_->height());
  RefreshStatusMessage();
  RebuildTitleLine();
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
    case ids::kTrayConfig:
      if (LoginPending() && !AskPassword()) break;
      ShowConfig();
      break;
    case ids::kShowConfig: ShowConfig(); break;
    case ids::kTrayWebPage:
    case ids::kHelpWebsite: OpenVendorSite(this, settings_.theme); break;
    case ids::kTrayEmail:
    case ids::kHelpEmail: OpenUrl(QStringLiteral("mailto:support@orlane.example.org")); break;
    case ids::kTrayUpdate:
    case ids::kHelpUpdate: CheckUpdate(this, settings_.theme); break;
    case ids::kHelpSyncHolidays:
    case ids::kSyncHolidays: {
      const std::tm now = LocalTm(NowSeconds());
      SyncHolidays(this, settings_.theme, now.tm_year + 1900);
      controls_.calendar->Redraw();
      break;
    }
    case ids::kTrayAbout:
    case ids::kHelpAbout: ShowAbout(); break;
    case ids::kTrayHelp:
    case ids::kHelpManual: OpenModeHelp(); break;
    case ids::kGotoToday: GotoToday(); break;
    case ids::kSaveAll: SaveAll(); break;
    case ids::kHelpButton: PopupMenuUnder(ids::kHelpButton, 1); break;
    case ids::kThemeButton: PopupMenuUnder(ids::kThemeButton, 2); break;
    case ids::kCalendarSwitch: ToggleCalendarShown(); break;
    case ids::kAddReminder:
    case ids::kRemoveReminder:
    case ids::kUpdateReminder:
    case ids::kRefreshReminder:
    case ids::kCopyReminder:
    case ids::kPasteReminder:
    case ids::kMediaFile:
    case ids::kPlayNow:
    case ids::kBeepOnly: OnReminderCommand(id); break;
    case ids::kSearch: SearchDayFiles(); break;
    case ids::kFind: FindInText(); break;
    case ids::kPrint: PrintDiary(); break;
    case ids::kBold:
    case ids::kItalic:
    case ids::kUnderline:
    case ids::kAlignLeft:
    case ids::kAlignCenter:
    case ids::kAlignRight:
    case ids::kFontColor:
    case ids::kBackgroundColor:
    case ids::kInsertPicture:
    case ids::kAttachFile:
    case ids::kDiarySaveAs:
    case ids::kDiaryImport: OnDiaryCommand(id); break;
    case ids::kCloseResults:
      controls_.searchResults->ResetContent();
      LayOut(client_->width(), client_->height());
      break;
    default:
      if (id >= ids::kEditorMenuFirst && id <= ids::kEditorMenuLast) controls_.diaryEditor->OnCommand(id);
      break;  // the recorder's commands come with the sound diary
  }
}

}  // namespace orlane
