// The main window's commands: the menus, the binding of buttons, menu items and
// keys to the commands' actions, OnCommand handing each to its owner, and the
// frame's own commands.
#include "app/main_dlg.h"

#include "app/command_actions.h"
#include "app/deskleaf_link.h"
#include "app/diary_panel.h"
#include "app/main_ids.h"
#include "app/program_commands.h"
#include "app/program_menus.h"
#include "app/reminder_options.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "app/tray_host.h"
#include "calendar/month_calendar.h"
#include "controls/bv_title.h"
#include "controls/color_list_box.h"
#include "controls/color_theme.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/picker_fields.h"
#include "days/day_files.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "security/session.h"

#include <QApplication>
#include <QLabel>

#include <QDateEdit>

namespace orlane {

void CMainDlg::BuildMenus() {
  for (NMacMenu*& m : menus_) m = new NMacMenu(this);
  FillProgramMenus(*actions_, menus_);
}

void CMainDlg::ConnectControls() {
  const auto bind = [this](const ControlSet& set) {
    for (int id : set.ids()) {
      if (CMacButton* b = set.button(id)) actions_->BindButton(b);
      if (CMacCheckBox* c = set.check(id)) actions_->BindCheck(c);
    }
  };
  bind(frame_.set);
  for (WorkPanel* panel : Panels()) bind(panel->Controls());
  connect(frame_.modeSwitch, &NMacBtnGroup::command, this, [this](int id) { actions_->Action(id)->trigger(); });
  connect(
      frame_.calendar, &CMonthCalendar::dateChanged, this, [this] { OnDateChanged(frame_.calendar->SelectedDate()); },
      Qt::QueuedConnection);
  connect(frame_.datePicker, &QDateEdit::userDateChanged, this, [this](const QDate& d) {
    const std::time_t t = MakeLocalTime(d.year(), d.month(), d.day(), 0, 0, 10);
    if (DayKeyOf(t) != session_->dayKey()) OnDateChanged(t);
  });
  connect(reminders_, &ReminderPanel::remindersChanged, this, &CMainDlg::RefreshStatusMessage);
  // The mouse on the title line and the calendar's context menu.
  for (QWidget* w : {static_cast<QWidget*>(frame_.titleLine), static_cast<QWidget*>(frame_.calendar),
                     static_cast<QWidget*>(frame_.datePicker)})
    w->installEventFilter(this);
}

void CMainDlg::PopupMenuUnder(int buttonId, int which) {
  if (QWidget* b = frame_.set.widget(buttonId)) menus_[which]->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void CMainDlg::FollowSettings(const Settings& values) {
  frame_.calendar->weekStart = values.weekStart;
  frame_.calendar->dateFormat = values.dateFormat;
  frame_.calendar->Redraw();
  // Result entries are dates in the old format: they are listed again in the new one.
  search_->ListResults(search_->ResultKeys());
  ApplyDateSettings();
  LayOut(client_->width(), client_->height());
  RefreshStatusMessage();
}

void CMainDlg::StepShownDay(int days) {
  // While a recording runs the calendar is off, and the day stays.
  if (!frame_.calendar->isEnabled()) return;
  const LocalDate d = LocalDateOf(session_->selectedDate());
  OnDateChanged(MakeLocalTime(d.year, d.month, d.day + days, 0, 0, 10));
}

void CMainDlg::ApplyDateSettings() {
  const Settings& values = settings();
  orlane::ApplyDateSettings(frame_.datePicker, values.dateFormat, values.weekStart);
  search_->ApplyDateSettings(values.dateFormat, values.weekStart);
}

bool CMainDlg::AskPassword() {
  if (loginOpen_) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle().endsWith(QStringLiteral(" - Login"))) w->raise();
    return false;
  }
  if (!passwordPrompt_) return true;
  loginOpen_ = true;
  const bool ok = passwordPrompt_(Theme(), nullptr);
  loginOpen_ = false;
  return ok;
}

int CMainDlg::ToggleMainWindow() {
  bool pending = LoginPending();
  const bool wasPending = pending;
  const int r = tray_->toggle(pending, settings().loginOnShow != 0);
  SetLoginPending(pending);
  if (wasPending && !pending) OfferRecovery();  // the first login after a hidden start
  return r;
}

void CMainDlg::OnCommand(int id) {
  for (WorkPanel* panel : Panels())
    if (panel->OwnsCommand(id)) return panel->OnCommand(id);
  for (CommandOwner* owner : {static_cast<CommandOwner*>(commands_), static_cast<CommandOwner*>(trayHost_.get())})
    if (owner->OwnsCommand(id)) return owner->OnCommand(id);
  if (id >= ids::kThemeFirst && id <= ids::kThemeLast) {
    ApplyTheme(id - ids::kThemeFirst);
    return;
  }
  switch (id) {
    case ids::kMinimize: showMinimized(); break;
    case ids::kClose:
    case ids::kTrayExit: OnCancelRequest(); break;
    case ids::kMaximize: ToggleMaximized(); break;
    case ids::kModeReminder:
    case ids::kModeDiary:
    case ids::kModeSound: SetMode(id); break;
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
