#include "app/main_dlg.h"

#include "app/command_actions.h"
#include "app/deskleaf_link.h"
#include "app/diary_panel.h"
#include "app/main_ids.h"
#include "app/program_commands.h"
#include "app/program_settings.h"
#include "app/reminder_options.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "app/tab_order.h"
#include "app/title_status.h"
#include "app/tray_host.h"
#include "app/window_drag.h"
#include "app/window_layout.h"
#include "app/window_place.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/bv_title.h"
#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "controls/theme_frame.h"
#include "days/day_files.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/clock.h"
#include "platform/program_info.h"
#include "reminders/alert_queue.h"
#include "reminders/reminder_store.h"
#include "res/resources.h"
#include "security/session.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>

namespace orlane {

CMainDlg::CMainDlg(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QLatin1String(kProgramTitle));
  setWindowIcon(QIcon(ResourcePixmap(128, 32)));
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  preferences_ = new ProgramSettings(this);
  store_ = new ReminderStore(this);
  session_ = new DaySession(*store_, this);
  alerts_ = new AlertQueue(this);
  alerts_->setGate([this] { return !session_->busy(); });
  alarmHost_ = std::make_unique<MainAlarmHost>(*this);
  scheduler_ = std::make_unique<AlarmScheduler>(*alarmHost_, *store_);
  connect(alerts_, &AlertQueue::closed, this, [this](const AlertRequest& alert) { scheduler_->alertClosed(alert); });
  options_ = new ReminderOptions(*store_, *alerts_, *scheduler_, this);
  connect(options_, &ReminderOptions::failed, this,
          [this](const QString& message) { ThemedNotice(message, Theme(), this); });
  commands_ = new ProgramCommands(*this);
  trayHost_ = std::make_unique<MainTrayHost>(*this);
  tray_ = std::make_unique<TrayVisibility>(*trayHost_);
  actions_ = new CommandActions(this);
  connect(actions_, &CommandActions::command, this, &CMainDlg::OnCommand);
  deskleaf_ = std::make_unique<DeskleafLink>(*this);
  connect(&ticker_, &SecondTicker::tick, this, &CMainDlg::OnAlarmTick);
  connect(&ticker_, &SecondTicker::dayChanged, this, &CMainDlg::GotoToday);
}

CMainDlg::~CMainDlg() {
  OnDestroy();
}

int CMainDlg::Theme() const {
  return preferences_->theme();
}

Settings& CMainDlg::settings() const {
  return preferences_->values();
}

const QString& CMainDlg::StatusMessage() const {
  return title_->status();
}

void CMainDlg::ReadSettings() {
  preferences_->read();
  options_->read();
}

void CMainDlg::WriteSettings() {
  int lastMode = frame_.modeSwitch ? frame_.modeSwitch->SelectedId() : kModeReminder;
  if (lastMode < kModeReminder || lastMode > kModeSound) lastMode = kModeReminder;
  preferences_->write(lastMode);
}

bool CMainDlg::OnInitDialog() {
  ReadSettings();
  Settings& values = settings();
  ClampWindowSize(values);
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  resize(values.windowWidth, values.windowHeight);
  client_->setGeometry(kFrameBorder, kFrameBorder, width() - 2 * kFrameBorder, height() - 2 * kFrameBorder);
  session_->select(NowSeconds());

  CreateFrameControls(client_, frame_, values.theme, values.weekStart);
  title_ = new TitleStatus(*frame_.titleLine, *options_, this);
  drag_ = new WindowDrag(*this, *client_, *frame_.title, [this] { OnCommand(ids::kMaximize); });
  CreatePanels();
  ConnectSettings();
  ApplyDateSettings();
  frame_.calendar->SetSelectedDate(session_->selectedDate());
  frame_.calendar->dateFormat = values.dateFormat;
  frame_.datePicker->setDate(QDate::currentDate());
  ConnectControls();
  ConnectSession();
  session_->watchFolder(UserFolder());
  scheduler_->showMissedReminders();  // the ticks start right after, as the scan wants
  ticker_.start();

  BuildMenus();
  trayIcon_ = trayHost_->CreateIcon();
  ApplyTheme(Theme());
  diary_->ApplyBackground();
  built_ = true;
  SetMode(values.lastMode >= kModeReminder && values.lastMode <= kModeSound ? values.lastMode : kModeReminder);
  scheduler_->loadTodayReminders();
  ShowCalendarOrClock(frame_, values.calendarShown != 0);
  LayOut(client_->width(), client_->height());

  if (LoginPending() && !trayHost_->HasTray()) {
    // No tray to wait in: a hidden start asks now, as a normal start would.
    if (!AskPassword()) return false;
    SetLoginPending(false);
  }
  tray_->start(LoginPending());
  if (!LoginPending()) OfferRecovery();
  commands_->StartSync();
  return true;
}

void CMainDlg::CreatePanels() {
  const int theme = Theme();
  search_ = new SearchPanel(client_, *this, theme);
  reminders_ = new ReminderPanel(client_, *this, *store_, theme);
  diary_ = new DiaryPanel(client_, *this, theme);
  sound_ = new SoundPanel(client_, *this, theme);
}

QList<WorkPanel*> CMainDlg::Panels() const {
  return {search_, reminders_, diary_, sound_};
}

QWidget* CMainDlg::ControlById(int id) const {
  if (QWidget* w = frame_.set.widget(id)) return w;
  for (WorkPanel* panel : Panels())
    if (QWidget* w = panel->Controls().widget(id)) return w;
  return nullptr;
}

CMacButton* CMainDlg::ButtonById(int id) const {
  return qobject_cast<CMacButton*>(ControlById(id));
}

ReminderEditor& CMainDlg::Reminders() {
  return reminders_->Editor();
}

QAction* CMainDlg::CommandAction(int id) {
  return actions_->Action(id);
}

void CMainDlg::LayOut(int w, int h) {
  if (!built_) return;
  // The calendar keeps the place it was created at; the rest follows it.
  const QRect calendarRect = settings().calendarShown ? frame_.calendar->geometry() : DefaultCalendarRect();
  const std::vector<ControlPlacement> layout = WindowLayout(w, h, calendarRect);
  for (const ControlPlacement& p : layout)
    if (QWidget* widget = frame_.set.widget(p.id); widget && widget != frame_.calendar && widget->geometry() != p.rect)
      widget->setGeometry(p.rect);
  for (WorkPanel* panel : Panels()) panel->LayOut(layout);
  ApplyReadingTabOrder(client_, WorkArea(w, h, calendarRect));
}

void CMainDlg::ToggleCalendarShown() {
  Settings& values = settings();
  values.calendarShown = values.calendarShown ? 0 : 1;
  ShowCalendarOrClock(frame_, values.calendarShown != 0);
  LayOut(client_->width(), client_->height());
}

void CMainDlg::ApplyTheme(int theme) {
  preferences_->setTheme(theme);
}

void CMainDlg::ConnectSettings() {
  connect(preferences_, &ProgramSettings::themeChanged, this, &CMainDlg::FollowTheme);
  connect(preferences_, &ProgramSettings::changed, this, &CMainDlg::FollowSettings);
  for (WorkPanel* panel : Panels())
    connect(preferences_, &ProgramSettings::themeChanged, panel, &WorkPanel::ApplyTheme);
}

void CMainDlg::FollowTheme(int theme) {
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, ToQColor(ThemeColor(theme, kThemeLightFace)));
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  ApplyFrameTheme(frame_, theme);
  if (menus_[0]) ApplyProgramMenusTheme(menus_, theme);
  update();
}

void CMainDlg::SetMode(int id) {
  if (id != ids::kModeReminder && id != ids::kModeDiary && id != ids::kModeSound) return;
  mode_ = id;
  frame_.modeSwitch->Select(id);
  search_->FollowMode(id);
  reminders_->SetShown(id == ids::kModeReminder);
  diary_->SetShown(id == ids::kModeDiary);
  sound_->SetShown(id == ids::kModeSound);
  actions_->ApplyKeys(id, [this](int control) { return ControlById(control); });
  LayOut(client_->width(), client_->height());
  // A mode switch saves the day and loads it again (the Sound Diary mode with its sound).
  if (SaveLoadedDay()) LoadSelectedDay();
}

void CMainDlg::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  PaintThemeFrame(painter, rect(), Theme());
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  client_->setGeometry(kFrameBorder, kFrameBorder, width() - 2 * kFrameBorder, height() - 2 * kFrameBorder);
  if (!isMaximized() && !isMinimized()) {
    settings().windowWidth = width();
    settings().windowHeight = height();
  }
  LayOut(client_->width(), client_->height());
}

void CMainDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange) {
    update();
    // The title band is an opaque child: the frame's repaint does not reach it.
    if (frame_.title) frame_.title->update();
  }
}

void CMainDlg::ToggleMaximized() {
  if (isMaximized())
    showNormal();
  else
    showMaximized();
  ShowMaximized(frame_, isMaximized());
}

void CMainDlg::mousePressEvent(QMouseEvent* event) {
  // The border resizes the window: the frame's place in a frameless window.
  if (drag_ && drag_->startBorderResize(*event)) return;
  QDialog::mousePressEvent(event);
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == frame_.titleLine && event->type() == QEvent::MouseButtonPress) {
    alarmHost_->ShowClockInfo();
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
      (watched == frame_.calendar || watched == frame_.datePicker)) {
    menus_[3]->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    OnCancelRequest();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // Enter never closes the window
  QDialog::keyPressEvent(event);
}

void CMainDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  OnCancelRequest();
}

void CMainDlg::done(int result) {
  OnDestroy();
  QDialog::done(result);
}

void CMainDlg::OnCancelRequest() {
  QWidget* owner = this;
  if (LoginPending()) {
    hide();
    owner = nullptr;
  }
  if (ThemedQuestion(QStringLiteral("Do you want to exit Orlane?"), Theme(), owner) != 1) return;
  // A day that cannot be saved is left only when the user says so.
  if (built_ && !SaveLoadedDay(SaveFailureReply::AskToLeave)) return;
  done(QDialog::Rejected);
}

void CMainDlg::SaveForSessionEnd() {
  OnDestroy();
}

void CMainDlg::CommitSessionData() {
  if (destroyed_ || !built_) return;
  SaveLoadedDay(SaveFailureReply::Log);
  WriteSettings();
}

void CMainDlg::OnDestroy() {
  if (destroyed_ || !built_) return;
  destroyed_ = true;
  ticker_.stop();
  deskleaf_->Close();
  // An alert still open at the end is not a fired reminder: it comes again at the next start.
  disconnect(alerts_, &AlertQueue::closed, this, nullptr);
  alerts_->closeAll();
  sound_->StopForSave(false);  // a recording running is kept as the day's sound
  SaveLoadedDay(SaveFailureReply::Log);
  WriteSettings();
  KeepWindowPlace();
  commands_->BackUpAtExit();
  tray_->stop();
}

void CMainDlg::KeepWindowPlace() {
  if (!placed_) return;
  ExtraSettings kept = options_->settings();
  RememberWindowPlace(kept, pos());
  // Only the next start's place is lost when this cannot be written; the program ends here.
  if (!(kept == options_->settings())) (void)options_->change(kept);
}

NMacMenu* CMainDlg::Menu(int which) const {
  return which >= 0 && which < kProgramMenuCount ? menus_[which] : nullptr;
}

}  // namespace orlane
