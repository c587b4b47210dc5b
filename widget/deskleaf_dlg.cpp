// The widget's content: settings, panels, colours, menu, commands, the
// one-second tick and the reminder text. The window's own behaviour (shape,
// stacking, opacity, mouse and keys) is in deskleaf_window.cpp.
#include "widget/deskleaf_dlg.h"

#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/color_label.h"
#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "controls/program_fonts.h"
#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/second_ticker.h"
#include "reminders/reminder_store.h"
#include "widget/deskleaf_reminders.h"
#include "widget/desktop_probe.h"

#include <QBitmap>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace orlane {

namespace {
QString Displayed(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
}  // namespace

CDeskleafDlg::CDeskleafDlg(DeskleafContext context, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), context_(std::move(context)) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Appearing (at start-up, from the tray, after a new stacking hint) never
  // takes the focus from the main window or the login: window managers give a
  // new tool window of an active program the focus. A left click takes it
  // (TakeFocus).
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(QStringLiteral("Deskleaf"));
  setFocusPolicy(Qt::ClickFocus);
  if (context_.userFolder.isEmpty()) context_.userFolder = UserFolder();
  limits_ = context_.limits ? *context_.limits : DetectDesktopLimits();
  theme_ = ClampTheme(context_.theme);
  dateFormat_ = context_.dateFormat;
  weekStart_ = context_.weekStart;
  widgetDate_ = context_.selectedDate ? context_.selectedDate : Now();

  QByteArray bytes;
  if (ReadFileBytes(SettingsPath(), bytes, 4096) == FileReadResult::Ok) {
    written_ = bytes;
    ParseDeskleafSettings(bytes, settings_);
    trailing_ = bytes.mid(kDeskleafSettingsSize);  // a later version's fields stay
  }
  settings_ = SanitizedDeskleafSettings(settings_);

  BuildPanels();
  BuildMenu();
  ApplyColors();
  LayOut();
  ApplyOpacity();
  RefreshReminders();
  if (context_.reminders) {
    connect(context_.reminders, &ReminderStore::remindersChanged, this, [this](const QString& dayKey) {
      if (dayKey == DayKeyOf(widgetDate_)) RefreshReminders();
    });
    connect(context_.reminders, &ReminderStore::recurringChanged, this, &CDeskleafDlg::RefreshReminders);
  }

  tickTimer_.setObjectName(QStringLiteral("timer%1").arg(deskleaf_ids::kTickTimer));
  tickTimer_.setSingleShot(true);
  connect(&tickTimer_, &QTimer::timeout, this, &CDeskleafDlg::OnTick);
  tickTimer_.start(0);  // the first tick comes at once
  if (context_.ticker) connect(context_.ticker, &SecondTicker::tick, this, &CDeskleafDlg::OnTick);
  show();
}

CDeskleafDlg::~CDeskleafDlg() {
  tickTimer_.stop();
  WriteSettings(false);
}

qint64 CDeskleafDlg::NowMs() const {
  return context_.nowMs ? context_.nowMs() : orlane::NowMs();
}

std::time_t CDeskleafDlg::Now() const {
  const qint64 ms = NowMs();
  return static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
}

QString CDeskleafDlg::SettingsPath() const {
  return context_.userFolder + QLatin1String(kWidgetSettingsFileName);
}
QString CDeskleafDlg::CaptionText() const {
  return caption_->text();
}

void CDeskleafDlg::BuildPanels() {
  clock_ = new CAnalogClock(this);
  clock_->SetShowSecondHand(false);
  clock_->SetMinuteDots(false);
  caption_ = new CColorLabel(this);
  caption_->SetTextFlags(kDtCenter | kDtSingleLine | kDtVCenter | kDtNoPrefix);
  caption_->SetFont(GdiFont(QStringLiteral("Tahoma"), -13, 400));
  reminders_ = new CColorLabel(this);
  reminders_->SetTextFlags(kDtLeft | kDtWordBreak | kDtNoPrefix);
  reminders_->SetFont(DialogFont());
}

void CDeskleafDlg::BuildMenu() {
  menu_ = new NMacMenu(this);
  menu_->setToolTipsVisible(true);
  for (const DeskleafMenuItem& item : kDeskleafMenu) {
    if (item.id == 0) {
      menu_->AppendItem(NMacMenu::kMfSeparator, 0, QString());
      continue;
    }
    const char* text = item.id == deskleaf_ids::kSize ? SizeItemText(settings_) : item.text;
    menu_->AppendItem(NMacMenu::kMfOwnerDraw, item.id, QString::fromLatin1(text));
  }
  connect(menu_, &NMacMenu::command, this, &CDeskleafDlg::OnCommand);
  UpdateMenuStates();
}

void CDeskleafDlg::ApplyColors() {
  const int t = theme_;
  clock_->SetBackgroundColor(ThemeColor(t, kThemeFace));
  clock_->SetHandOutlineColor(ThemeColor(t, kThemeOutline));
  clock_->SetLightEdgeColor(ThemeColor(t, kThemeFace));
  clock_->SetHandFillColor(ThemeColor(t, kThemeShadow));
  clock_->SetDialColor(ThemeColor(t, kThemeLightFace));
  clock_->update();
  caption_->SetTextColor(MakeColorRef(0, 0, 0));
  caption_->SetBackgroundColor(ThemeColor(t, kThemeShadow));
  reminders_->SetTextColor(ThemeColor(t, kThemeOutline));
  reminders_->SetBackgroundColor(ThemeColor(t, kThemeFace));
  menu_->SetBackgroundColor(ThemeColor(t, kThemeLightFace));
  menu_->SetSelectionColors(ThemeColor(t, kThemeOutline), ThemeColor(t, kThemeFace), ThemeColor(t, kThemeShadow));
  if (calendar_) calendar_->SetTheme(t);
  update();
}

void CDeskleafDlg::SetTheme(int theme) {
  theme = ClampTheme(theme);
  if (theme == theme_) return;
  theme_ = theme;
  ApplyColors();
}

void CDeskleafDlg::SetDateFormat(int dateFormat) {
  dateFormat_ = dateFormat;
  if (calendar_) calendar_->dateFormat = dateFormat;
  UpdateCaption();
}

void CDeskleafDlg::SetWeekStart(int weekStart) {
  weekStart_ = weekStart;
  if (!calendar_) return;
  calendar_->weekStart = weekStart;
  calendar_->Redraw();
}

void CDeskleafDlg::SetSelectedDate(std::time_t date) {
  widgetDate_ = date;
  if (!calendar_) return;
  calendar_->SetSelectedDate(date);
  RedrawCalendar();
}

void CDeskleafDlg::RedrawCalendar() {
  if (!calendar_) return;
  calendar_->Redraw();
}

void CDeskleafDlg::RefreshReminders() {
  DeskleafReminderInput input;
  input.widgetDate = widgetDate_;
  input.now = Now();
  input.small = IsSmallDeskleaf(settings_);
  input.showReminders = settings_.showReminders != 0;
  const QString text = context_.reminders
                           ? DeskleafReminderText(context_.reminders->shownDay(DayKeyOf(widgetDate_)), input)
                           : LoadDeskleafReminderText(context_.userFolder, input);
  reminderText_ = text;
  reminders_->setText(Displayed(text));
}

void CDeskleafDlg::UpdateMenuStates() {
  for (const DeskleafMenuItem& item : kDeskleafMenu)
    if (item.id) menu_->CheckItem(item.id, item.check && DeskleafItemChecked(settings_, item.id));
  menu_->SetItem(deskleaf_ids::kSize, QString::fromLatin1(SizeItemText(settings_)), QString());
  menu_->EnableItem(deskleaf_ids::kMoreTransparent, limits_.opacity && CanBeMoreTransparent(settings_.opacity));
  menu_->EnableItem(deskleaf_ids::kMoreOpaque, limits_.opacity && CanBeMoreOpaque(settings_.opacity));
  menu_->EnableItem(deskleaf_ids::kStayTopmost, limits_.stacking);
  for (int id : {deskleaf_ids::kMoreTransparent, deskleaf_ids::kMoreOpaque})
    if (QAction* action = menu_->ItemAction(id))
      action->setToolTip(limits_.opacity ? QString() : limits_.opacityReason);
  if (QAction* action = menu_->ItemAction(deskleaf_ids::kStayTopmost))
    action->setToolTip(limits_.stacking ? QString() : limits_.stackingReason);
}

void CDeskleafDlg::LayOut() {
  if (placed_ && limits_.placement) TakeWindowRect();
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect screenRect = context_.screen ? context_.screen() : (screen ? screen->geometry() : QRect());
  const QRect desktopRect = context_.desktop ? context_.desktop() : (screen ? screen->virtualGeometry() : QRect());
  const DeskleafLayout layout = ComputeDeskleafLayout(settings_, screenRect, desktopRect);
  settings_.left = layout.left;
  settings_.top = layout.top;
  settings_.right = layout.right;
  settings_.bottom = layout.bottom;

  layingOut_ = true;
  ApplyWindowFlags();
  setGeometry(layout.left, layout.top, layout.width(), layout.height());
  setMask(RoundRectRegion(layout.width(), layout.height(), kDeskleafCornerEllipse, kDeskleafCornerEllipse));
  layingOut_ = false;
  placed_ = true;
  PlacePanels(layout.panels);
  UpdateMenuStates();
  WriteSettings();
}

void CDeskleafDlg::PlacePanels(const DeskleafPanelRects& p) {
  if (p.calendarShown) {
    if (!calendar_) {
      calendar_ = new CMonthCalendar(this);
      calendar_->weekStart = weekStart_;
      calendar_->dateFormat = dateFormat_;
      calendar_->SetSelectedDate(widgetDate_);
      calendar_->SetTheme(theme_);
      connect(calendar_, &CMonthCalendar::dateChanged, this, &CDeskleafDlg::OnCalendarDateChanged);
      calendar_->Create(p.calendar, this);
    } else if (calendar_->geometry() != p.calendar) {
      calendar_->setGeometry(p.calendar);
    }
    calendar_->show();
  } else if (calendar_) {
    calendar_->hide();
  }
  caption_->setGeometry(p.caption);
  caption_->setVisible(p.captionShown);
  if (p.clockShown) clock_->setGeometry(p.clock);
  clock_->setVisible(p.clockShown);
  reminders_->setGeometry(p.reminders);
  reminders_->setVisible(p.remindersShown);
}

void CDeskleafDlg::TakeWindowRect() {
  const QRect g = frameGeometry();
  settings_.left = g.x();
  settings_.top = g.y();
  settings_.right = g.x() + g.width();
  settings_.bottom = g.y() + g.height();
}

void CDeskleafDlg::WriteSettings(bool tellOnFailure) {
  if (placed_ && limits_.placement) TakeWindowRect();
  movedByUser_ = false;
  const QByteArray bytes = SerializeDeskleafSettings(settings_) + trailing_;
  if (bytes == written_) return;
  if (AtomicWriteFile(SettingsPath(), bytes) == WriteResult::Written) {
    written_ = bytes;
    writeFailureTold_ = false;
    return;
  }
  if (!tellOnFailure || writeFailureTold_) return;
  writeFailureTold_ = true;  // once, until a write succeeds again
  const QString text = QStringLiteral("The Deskleaf settings could not be saved to %1: %2")
                           .arg(QDir::toNativeSeparators(SettingsPath()), LastFileError());
  QMetaObject::invokeMethod(
      this, [this, text] { ThemedNotice(text, theme_, this); }, Qt::QueuedConnection);
}

void CDeskleafDlg::OnCommand(int id) {
  using namespace deskleaf_ids;
  switch (id) {
    case kShowCalendar:
    case kShowClock:
      ToggleDeskleafFlag(settings_, id);
      LayOut();
      break;
    case kShowReminders:
      ToggleDeskleafFlag(settings_, id);
      LayOut();
      RefreshReminders();
      break;
    case kStayTopmost:
      if (!limits_.stacking) break;  // the stored choice waits for a desktop that can
      ToggleDeskleafFlag(settings_, id);
      LayOut();
      break;
    case kGotoToday: GotoToday(); break;
    case kSize:
      ToggleDeskleafSize(settings_);
      delete calendar_.data();  // made again at the new size
      LayOut();
      RefreshReminders();  // the reminder lines have the size's form
      break;
    case kMoreTransparent: ChangeOpacity(OpacityAction::MoreTransparent); break;
    case kMoreOpaque: ChangeOpacity(OpacityAction::MoreOpaque); break;
    case kOpenOrlane: Q_EMIT openMainWindowRequested(); break;
    case kCloseDeskleaf: close(); break;
    case kExitOrlane: Q_EMIT exitRequested(); break;
    default: break;
  }
  if (menu_) UpdateMenuStates();
}

void CDeskleafDlg::ChangeOpacity(OpacityAction action) {
  if (!limits_.opacity) return;
  settings_.opacity = OpacityAfter(settings_.opacity, action);
  ApplyOpacity();
}

void CDeskleafDlg::GotoToday() {
  if (calendar_) {
    calendar_->OnCommand(CMonthCalendar::kIdToday);  // reports back through dateChanged
    return;
  }
  widgetDate_ = Now();
  RefreshReminders();
  Q_EMIT dateChanged(widgetDate_);
}

void CDeskleafDlg::OnCalendarDateChanged() {
  if (!calendar_) return;
  widgetDate_ = calendar_->SelectedDate();
  RefreshReminders();
  Q_EMIT dateChanged(widgetDate_);
}

void CDeskleafDlg::UpdateCaption() {
  const std::time_t now = Now();
  // The caption's seconds would reach a screen reader every second: it hears
  // the small size's minute-wise caption instead, changed once a minute.
  if (const QString spoken = DeskleafCaption(now, true, dateFormat_); spoken != caption_->accessibleName())
    caption_->setAccessibleName(spoken);
  caption_->setText(DeskleafCaption(now, IsSmallDeskleaf(settings_), dateFormat_));
  caption_->repaint();
}

void CDeskleafDlg::OnTick() {
  tickTimer_.stop();
  const std::time_t now = Now();
  UpdateCaption();
  if (lastTick_ == 0 || LocalTm(now).tm_min != LocalTm(lastTick_).tm_min) clock_->update();
  const DeskleafDayTurn turn = DecideDayTurn(lastTick_, now, widgetDate_);
  lastTick_ = now;
  if (movedByUser_) WriteSettings();
  if (turn.refresh) {
    SetSelectedDate(turn.widgetDate);
    RefreshReminders();
    if (turn.tellMainWindow) Q_EMIT dateChanged(widgetDate_);
  }
  // The next tick at the start of the next second.
  if (!context_.ticker) tickTimer_.start(SecondTicker::MsUntilNextSecond(NowMs()));
}

}  // namespace orlane
