#include "app/main_dlg.h"

#include "app/diary_panel.h"
#include "app/main_actions.h"
#include "app/main_deskleaf.h"
#include "app/main_ids.h"
#include "app/main_layout.h"
#include "app/main_tray.h"
#include "app/reminder_options.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "app/tab_order.h"
#include "app/window_place.h"
#include "caldav/sync_schedule.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/bv_title.h"
#include "controls/color_list_box.h"
#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "controls/theme_frame.h"
#include "days/backup_settings.h"
#include "days/day_files.h"
#include "dialogs/auto_backup_dlg.h"
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
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <QWindow>

namespace orlane {

namespace {
constexpr int kBorder = 3;
constexpr int kTitleStrip = 25;
constexpr int kDragStrip = 24;
}  // namespace

CMainDlg::CMainDlg(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QLatin1String(kProgramTitle));
  setWindowIcon(QIcon(ResourcePixmap(128, 32)));
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  store_ = new ReminderStore(this);
  session_ = new DaySession(*store_, this);
  alerts_ = new AlertQueue(this);
  alerts_->setGate([this] { return !session_->busy(); });
  alarmHost_ = std::make_unique<MainAlarmHost>(*this);
  scheduler_ = std::make_unique<AlarmScheduler>(*alarmHost_, *store_);
  connect(alerts_, &AlertQueue::closed, this, [this](const AlertRequest& alert) { scheduler_->alertClosed(alert); });
  options_ = new ReminderOptions(*store_, *alerts_, *scheduler_, this);
  sync_ = new SyncSchedule(*store_, this);
  connect(options_, &ReminderOptions::failed, this,
          [this](const QString& message) { ThemedNotice(message, settings_.theme, this); });
  trayHost_ = std::make_unique<MainTrayHost>(*this);
  tray_ = std::make_unique<TrayVisibility>(*trayHost_);
  actions_ = new MainActions(this);
  connect(actions_, &MainActions::command, this, &CMainDlg::OnCommand);
  deskleaf_ = std::make_unique<DeskleafLink>(*this);
  connect(&ticker_, &SecondTicker::tick, this, &CMainDlg::OnAlarmTick);
  connect(&ticker_, &SecondTicker::dayChanged, this, &CMainDlg::GotoToday);
}

CMainDlg::~CMainDlg() {
  OnDestroy();
}

void CMainDlg::ReadSettings() {
  settings_ = Settings{};
  ReadSettingsFile(UserFilePath(kSettingsFileName), settings_);
  settingsWritten_ = settings_;
  options_->read();
}

void CMainDlg::WriteSettings() {
  Settings s = settings_;
  s.lastMode = frame_.modeSwitch ? frame_.modeSwitch->SelectedId() : kModeReminder;
  if (s.lastMode < kModeReminder || s.lastMode > kModeSound) s.lastMode = kModeReminder;
  // Fields another writer set while the window ran stay, unless the window changed them too.
  const QString path = UserFilePath(kSettingsFileName);
  Settings disk;
  const bool read = ReadSettingsFile(path, disk) == SettingsReadResult::Ok;
  const Settings merged = MergeSettings(settingsWritten_, s, disk);
  if ((read && merged == disk) || WriteSettingsFile(path, merged) == WriteResult::Written) settingsWritten_ = s;
}

bool CMainDlg::OnInitDialog() {
  ReadSettings();
  ClampWindowSize(settings_);
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  resize(settings_.windowWidth, settings_.windowHeight);
  client_->setGeometry(kBorder, kBorder, width() - 2 * kBorder, height() - 2 * kBorder);
  session_->select(NowSeconds());

  CreateFrameControls(client_, frame_, settings_.theme, settings_.weekStart);
  CreatePanels();
  ApplyDateSettings();
  frame_.calendar->SetSelectedDate(session_->selectedDate());
  frame_.calendar->dateFormat = settings_.dateFormat;
  frame_.datePicker->setDate(QDate::currentDate());
  ConnectControls();
  ConnectSession();
  session_->watchFolder(UserFolder());
  scheduler_->showMissedReminders();  // the ticks start right after, as the scan wants
  ticker_.start();

  BuildMenus();
  trayIcon_ = trayHost_->CreateIcon();
  ApplyTheme(settings_.theme);
  diary_->ApplyBackground();
  built_ = true;
  SetMode(settings_.lastMode >= kModeReminder && settings_.lastMode <= kModeSound ? settings_.lastMode : kModeReminder);
  scheduler_->loadTodayReminders();
  ApplyCalendarShown();
  LayOut(client_->width(), client_->height());

  if (LoginPending() && !trayHost_->HasTray()) {
    // No tray to wait in: a hidden start asks now, as a normal start would.
    if (!AskPassword()) return false;
    SetLoginPending(false);
  }
  tray_->start(LoginPending());
  if (!LoginPending()) OfferRecovery();
  StartSync();
  return true;
}

void CMainDlg::CreatePanels() {
  const int theme = settings_.theme;
  search_ = new SearchPanel(client_, *this, theme);
  reminders_ = new ReminderPanel(client_, *this, *store_, theme);
  diary_ = new DiaryPanel(client_, *this, theme);
  sound_ = new SoundPanel(client_, *this, theme);
}

QList<MainPanel*> CMainDlg::Panels() const {
  return {search_, reminders_, diary_, sound_};
}

QWidget* CMainDlg::ControlById(int id) const {
  if (QWidget* w = frame_.set.widget(id)) return w;
  for (MainPanel* panel : Panels())
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
  const QRect calendarRect = settings_.calendarShown ? frame_.calendar->geometry() : DefaultCalendarRect();
  const std::vector<ControlPlacement> layout = MainLayout(w, h, calendarRect);
  for (const ControlPlacement& p : layout)
    if (QWidget* widget = frame_.set.widget(p.id); widget && widget != frame_.calendar && widget->geometry() != p.rect)
      widget->setGeometry(p.rect);
  for (MainPanel* panel : Panels()) panel->LayOut(layout);
  ApplyReadingTabOrder(client_, WorkArea(w, h, calendarRect));
}

void CMainDlg::ApplyCalendarShown() {
  const bool shown = settings_.calendarShown != 0;
  frame_.calendar->setVisible(shown);
  frame_.datePicker->setVisible(!shown);
  frame_.clock->setVisible(!shown);
  if (CMacButton* b = frame_.set.button(ids::kCalendarSwitch)) {
    b->SetIcon16(shown ? 250 : 251);
    b->SetTooltipText(shown ? QStringLiteral("Hide Calendar and Clock (F2)")
                            : QStringLiteral("Show Calendar and Clock (F2)"));
  }
}

void CMainDlg::ToggleCalendarShown() {
  settings_.calendarShown = settings_.calendarShown ? 0 : 1;
  ApplyCalendarShown();
  LayOut(client_->width(), client_->height());
}

void CMainDlg::ApplyTheme(int theme) {
  settings_.theme = ClampTheme(theme);
  const int t = settings_.theme;
  const QColor face = ToQColor(ThemeColor(t, kThemeLightFace));
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, face);
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  for (int id : frame_.set.ids())
    if (CMacButton* b = frame_.set.button(id)) b->SetTheme(t);
  for (MainPanel* panel : Panels())
    if (panel) panel->ApplyTheme(t);
  if (frame_.modeSwitch) frame_.modeSwitch->SetTheme(face, t);
  if (frame_.calendar) frame_.calendar->SetTheme(t);
  if (frame_.title) frame_.title->SetSkin(t);
  if (frame_.clock) {
    frame_.clock->SetBackgroundColor(ThemeColor(t, kThemeLightFace));
    frame_.clock->SetDialColor(ThemeColor(t, kThemeFace));
    frame_.clock->SetHandFillColor(ThemeColor(t, kThemeShadow));
    frame_.clock->SetHandOutlineColor(ThemeColor(t, kThemeOutline));
  }
  if (frame_.datePicker) {
    QPalette p = frame_.datePicker->palette();
    p.setColor(QPalette::Base, ToQColor(ThemeColor(t, kThemeLightFace)));
    p.setColor(QPalette::Highlight, ToQColor(ThemeColor(t, kThemeShadow)));
    frame_.datePicker->setPalette(p);
  }
  for (NMacMenu* m : menus_)
    if (m) {
      m->SetBackgroundColor(ThemeColor(t, kThemeLightFace));
      m->SetSelectionColors(ThemeColor(t, kThemeOutline), ThemeColor(t, kThemeFace), ThemeColor(t, kThemeShadow));
    }
  if (menus_[2])
    for (int i = 0; i < kThemeCount; ++i) menus_[2]->CheckItem(ids::kThemeFirst + i, i == t);
  update();
  Q_EMIT themeChanged(t);
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
  PaintThemeFrame(painter, rect(), settings_.theme);
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  client_->setGeometry(kBorder, kBorder, width() - 2 * kBorder, height() - 2 * kBorder);
  if (!isMaximized() && !isMinimized()) {
    settings_.windowWidth = width();
    settings_.windowHeight = height();
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
  if (isMaximized()) {
    showNormal();
    if (CMacButton* b = frame_.set.button(ids::kMaximize)) b->SetIcon16(314);
  } else {
    showMaximized();
    if (CMacButton* b = frame_.set.button(ids::kMaximize)) b->SetIcon16(312);
  }
}

void CMainDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // The border resizes the window: the frame's place in a frameless window.
  Qt::Edges edges;
  if (p.x() < kBorder) edges |= Qt::LeftEdge;
  if (p.x() >= width() - kBorder) edges |= Qt::RightEdge;
  if (p.y() < kBorder) edges |= Qt::TopEdge;
  if (p.y() >= height() - kBorder) edges |= Qt::BottomEdge;
  if (edges && event->button() == Qt::LeftButton && windowHandle() && !isMaximized()) {
    windowHandle()->startSystemResize(edges);
    return;
  }
  QDialog::mousePressEvent(event);
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
  // The title strip of the client area moves the window and maximises it.
  // Only mouse events: the filter also sees palette, paint and key events.
  auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (mouse && (watched == client_ || watched == frame_.title)) {
    const auto inStrip = [&](int strip) {
      return client_->mapFromGlobal(mouse->globalPosition().toPoint()).y() < strip;
    };
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && inStrip(kDragStrip) &&
        !isMaximized()) {
      drag_ = TitleDrag{mouse->globalPosition().toPoint(), pos()};
      return false;
    }
    if (event->type() == QEvent::MouseMove && drag_ && (mouse->buttons() & Qt::LeftButton)) {
      // Where a window may place itself (X11) it follows the pointer exactly;
      // elsewhere (Wayland) the window system moves it. The window system's
      // move on X11 starts from the pointer's position at the first motion
      // and so lags behind by that first step.
      if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
        drag_.reset();
        windowHandle()->startSystemMove();
      } else {
        move(drag_->windowAt + mouse->globalPosition().toPoint() - drag_->pointerAt);
      }
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) drag_.reset();
    if (event->type() == QEvent::MouseButtonDblClick && inStrip(kTitleStrip)) {
      OnCommand(ids::kMaximize);
      return true;
    }
  }
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
  if (ThemedQuestion(QStringLiteral("Do you want to exit Orlane?"), settings_.theme, owner) != 1) return;
  // A day that cannot be saved is left only when the user says so.
  if (built_ && !SaveLoadedDay(SaveFailureReply::AskToLeave)) return;
  done(QDialog::Rejected);
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
  BackUpAtExit();
  tray_->stop();
}

void CMainDlg::BackUpAtExit() {
  const std::optional<AutoBackupPlan> plan = AutoBackupPlanOf(options_->settings());
  if (!plan) return;
  CAutoBackupDlg dialog(*plan, QDateTime::currentDateTime(), settings_.theme);
  if (dialog.exec() != QDialog::Accepted) return;
  ExtraSettings kept = options_->settings();
  SetLastBackup(kept, NowSeconds(), dialog.File());
  kept.set(QLatin1String(kBackupFolderKey), options_->settings().text(QLatin1String(kBackupFolderKey)));
  (void)options_->change(kept);  // the backup is there; only its time in the title line would be lost
}

void CMainDlg::KeepWindowPlace() {
  if (!placed_) return;
  ExtraSettings kept = options_->settings();
  RememberWindowPlace(kept, pos());
  // Only the next start's place is lost when this cannot be written; the program ends here.
  if (!(kept == options_->settings())) (void)options_->change(kept);
}

NMacMenu* CMainDlg::Menu(int which) const {
  return which >= 0 && which < 4 ? menus_[which] : nullptr;
}

}  // namespace orlane
