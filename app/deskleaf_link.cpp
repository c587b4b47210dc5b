#include "app/deskleaf_link.h"

#include "app/program_settings.h"

#include "app/main_dlg.h"
#include "widget/deskleaf_dlg.h"

namespace orlane {

DeskleafLink::DeskleafLink(CMainDlg& window) : window_(window) {
  connect(&window_.Preferences(), &ProgramSettings::themeChanged, this, [this](int theme) {
    if (CDeskleafDlg* w = Widget()) w->SetTheme(theme);
  });
  connect(&window_.Preferences(), &ProgramSettings::changed, this,
          [this](const Settings& values) { ApplySettings(values.dateFormat, values.weekStart); });
}

DeskleafLink::~DeskleafLink() {
  Close();
}

CDeskleafDlg* DeskleafLink::Widget() const {
  return widget_ && widget_->isVisible() ? widget_.data() : nullptr;
}

void DeskleafLink::Show(int theme, int dateFormat, int weekStart, std::time_t date) {
  if (Widget()) return;
  Close();  // one closed but not yet gone
  DeskleafContext context;
  context.theme = theme;
  context.dateFormat = dateFormat;
  context.weekStart = weekStart;
  context.selectedDate = date;
  context.reminders = &window_.Store();
  context.ticker = &window_.Ticker();
  widget_ = new CDeskleafDlg(std::move(context));
  // Queued: each of these may end in a modal dialog or in the widget's own end,
  // which must not happen inside the widget's menu or timer.
  connect(
      widget_, &CDeskleafDlg::dateChanged, this, [this](std::time_t d) { window_.OnDateChanged(d); },
      Qt::QueuedConnection);
  connect(widget_, &CDeskleafDlg::openMainWindowRequested, this, &DeskleafLink::OpenMainWindow, Qt::QueuedConnection);
  connect(widget_, &CDeskleafDlg::exitRequested, &window_, &CMainDlg::OnCancelRequest, Qt::QueuedConnection);
}

void DeskleafLink::Close() {
  delete widget_.data();
}

void DeskleafLink::FollowDay(std::time_t date) {
  CDeskleafDlg* w = Widget();
  if (!w) return;
  w->SetSelectedDate(date);
  w->RefreshReminders();
}

void DeskleafLink::RefreshReminders() {
  if (CDeskleafDlg* w = Widget()) w->RefreshReminders();
}

void DeskleafLink::RedrawCalendar() {
  if (CDeskleafDlg* w = Widget()) w->RedrawCalendar();
}

void DeskleafLink::ApplySettings(int dateFormat, int weekStart) {
  if (CDeskleafDlg* w = Widget()) {
    w->SetDateFormat(dateFormat);
    w->SetWeekStart(weekStart);
  }
}

void DeskleafLink::Relayout() {
  if (CDeskleafDlg* w = Widget()) w->LayOut();
}

void DeskleafLink::OpenMainWindow() {
  // Hidden in the tray: shown as the tray shows it, with the login it asks for.
  if (window_.TrayStateValue() == TrayState::Hidden) {
    window_.ToggleMainWindow();
    return;
  }
  if (window_.isMinimized()) window_.showNormal();
  window_.raise();
  window_.activateWindow();
}

}  // namespace orlane
