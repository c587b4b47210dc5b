#include "app/main_dlg.h"

#include "days/day_files.h"
#include "app/day_watcher.h"
#include "app/main_ids.h"
#include "app/main_keys.h"
#include "app/main_layout.h"
#include "app/main_tray.h"
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
#include "diary/rich_diary_ctrl.h"
#include "platform/clock.h"
#include "platform/program_info.h"
#include "res/resources.h"
#include "security/session.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTextCharFormat>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <QPainter>
#include <QScreen>
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
  alarmHost_ = std::make_unique<MainAlarmHost>(*this);
  scheduler_ = std::make_unique<AlarmScheduler>(*alarmHost_);
  trayHost_ = std::make_unique<MainTrayHost>(*this);
  tray_ = std::make_unique<TrayVisibility>(*trayHost_);
  alarmTimer_.setTimerType(Qt::PreciseTimer);
  alarmTimer_.setSingleShot(true);
  connect(&alarmTimer_, &QTimer::timeout, this, [this] {
    OnAlarmTick();
    ArmAlarmTimer();
  });
}

CMainDlg::~CMainDlg() { OnDestroy(); }

void CMainDlg::ReadSettings() {
  settings_ = Settings{};
  ReadSettingsFile(UserFilePath(kSettingsFileName), settings_);
  settingsWritten_ = settings_;
}

void CMainDlg::WriteSettings() {
  Settings s = settings_;
  s.lastMode = controls_.modeSwitch ? controls_.modeSwitch->SelectedId() : kModeReminder;
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
  selectedDate_ = NowSeconds();

  CreateMainControls(client_, controls_, settings_.theme, settings_.weekStart);
  controls_.calendar->SetSelectedDate(selectedDate_);
  controls_.datePicker->setDate(QDate::currentDate());
  ConnectControls();
  SetUpRecovery();
  watcher_ = new DayWatcher(UserFolder(), this);
  connect(watcher_, &DayWatcher::changed, this, &CMainDlg::OnDayFilesChanged);
  scheduler_->showMissedReminders();  // the timer starts right after, as the scan wants
  ArmAlarmTimer();

  BuildMenus();
  trayIcon_ = trayHost_->CreateIcon();
  ApplyTheme(settings_.theme);
  ApplyDiaryBackground();
  built_ = true;
  SetMode(settings_.lastMode >= kModeReminder && settings_.lastMode <= kModeSound ? settings_.lastMode
                                                                                 : kModeReminder);
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
  return true;
}

void CMainDlg::ArmAlarmTimer() { alarmTimer_.start(AlarmScheduler::MsUntilNextSecond(NowMs())); }

void CMainDlg::LayOut(int w, int h) {
  if (!built_) return;
  const QRect calendarRect = settings_.calendarShown ? controls_.calendar->geometry() : DefaultCalendarRect();
  for (const ControlPlacement& p : MainLayout(w, h, calendarRect))
    if (QWidget* widget = controls_.widget(p.id); widget && widget != controls_.calendar) {
      if (p.id == ids::kModeSwitch) continue;  // never moved
      if (widget->geometry() != p.rect) widget->setGeometry(p.rect);
    }
  // Left of the search group: the F2 button in the corner of the title line.
  if (QWidget* f2 = controls_.widget(ids::kCalendarSwitch)) f2->setGeometry(w - 30, h - 20, 18, 18);
  controls_.titleLine->setGeometry(12, h - 19, w - 22 - 22, 18);
  // The result label and its close button share the check boxes' row: shown
  // only while a result is listed.
  const bool results = controls_.searchResults->count() > 0;
  controls_.widget(ids::kResultsLabel)->setVisible(results);
  controls_.widget(ids::kCloseResults)->setVisible(results);
  controls_.widget(ids::kHasPicture)->setVisible(!results);
  controls_.widget(ids::kActived)->setVisible(!results);
  controls_.datePicker->setGeometry(10, 60, 178, 22);
  controls_.clock->setGeometry(10, 86, 178, 116);
}

void CMainDlg::ApplyCalendarShown() {
  const bool shown = settings_.calendarShown != 0;
  controls_.calendar->setVisible(shown);
  controls_.datePicker->setVisible(!shown);
  controls_.clock->setVisible(!shown);
  if (CMacButton* b = controls_.button(ids::kCalendarSwitch)) {
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
  for (CMacButton* b : findChildren<CMacButton*>()) b->SetTheme(t);
  for (CMacCheckBox* b : findChildren<CMacCheckBox*>()) b->SetTheme(t);
  if (controls_.modeSwitch) controls_.modeSwitch->SetTheme(face, t);
  if (controls_.calendar) controls_.calendar->SetTheme(t);
  if (controls_.title) controls_.title->SetSkin(t);
  if (controls_.clock) {
    controls_.clock->SetBackgroundColor(ThemeColor(t, kThemeLightFace));
    controls_.clock->SetDialColor(ThemeColor(t, kThemeFace));
    controls_.clock->SetHandFillColor(ThemeColor(t, kThemeShadow));
    controls_.clock->SetHandOutlineColor(ThemeColor(t, kThemeOutline));
  }
  if (controls_.datePicker) {
    QPalette p = controls_.datePicker->palette();
    p.setColor(QPalette::Base, ToQColor(ThemeColor(t, kThemeLightFace)));
    p.setColor(QPalette::Highlight, ToQColor(ThemeColor(t, kThemeShadow)));
    controls_.datePicker->setPalette(p);
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
  controls_.modeSwitch->Select(id);
  if (CMacButton* search = controls_.button(ids::kSearch))
    search->SetTooltipText(id == ids::kModeDiary ? QStringLiteral("Search words in all diaries (CTRL+F3)")
                                                 : QStringLiteral("Search words in all reminders (CTRL+F3)"));
  for (int c : controls_.reminderIds) controls_.widget(c)->setVisible(id == ids::kModeReminder);
  for (int c : controls_.diaryIds) controls_.widget(c)->setVisible(id == ids::kModeDiary);
  for (int c : controls_.soundIds) controls_.widget(c)->setVisible(id == ids::kModeSound);
  if (preview_) preview_->setVisible(id == ids::kModeReminder);
  controls_.widget(ids::kActived)->setEnabled(id == ids::kModeReminder);
  controls_.widget(ids::kHasPicture)->setEnabled(id == ids::kModeDiary);
  LayOut(client_->width(), client_->height());
  // The load reads the day again: what the reminder editor holds is stored first.
  StoreEditedReminder();
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
    if (controls_.title) controls_.title->update();
  }
}

void CMainDlg::ToggleMaximized() {
  if (isMaximized()) {
    showNormal();
    if (CMacButton* b = controls_.button(ids::kMaximize)) b->SetIcon16(314);
  } else {
    showMaximized();
    if (CMacButton* b = controls_.button(ids::kMaximize)) b->SetIcon16(312);
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
  if (mouse && (watched == client_ || watched == controls_.title)) {
    const auto inStrip = [&](int strip) { return client_->mapFromGlobal(mouse->globalPosition().toPoint()).y() < strip; };
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
  if (watched == controls_.titleLine && event->type() == QEvent::MouseButtonPress) {
    alarmHost_->ShowClockInfo();
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
      (watched == controls_.calendar || watched == controls_.datePicker)) {
    menus_[3]->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (HandleKey(key->key(), key->modifiers())) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(event->key(), event->modifiers())) return;
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
  if (built_) {
    StoreEditedReminder();
    if (!SaveLoadedDay(SaveFailureReply::AskToLeave)) return;
  }
  done(QDialog::Rejected);
}

void CMainDlg::OnDestroy() {
  if (destroyed_ || !built_) return;
  destroyed_ = true;
  alarmTimer_.stop();
  // The reminder editor's fields too: what was typed into a note is not lost.
  StoreEditedReminder();
  SaveLoadedDay(SaveFailureReply::Log);
  WriteSettings();
  tray_->stop();
}

NMacMenu* CMainDlg::Menu(int which) const { return which >= 0 && which < 4 ? menus_[which] : nullptr; }

}  // namespace orlane
