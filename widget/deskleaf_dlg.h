// CDeskleafDlg: the desk widget "Deskleaf", a frameless tool window without a
// task-bar entry that sits on the desktop above or below the other windows,
// see-through where the desktop allows, with rounded corners. It shows a month
// calendar and, in a column to its right, a caption line with the date and
// time, an analog clock and the active reminders of one day (the widget date).
// It owns its settings file "Deskleaf.cfg", its panels, its context menu and
// its one-second timer; it reads reminder day files and never writes them.
//
// The main window creates it with one call (no parent: the window deletes
// itself on "Close Deskleaf"; keep it in a QPointer), tells it the theme, the
// date format, the week start and every saved day, and answers its signals.
#pragma once

#include "calendar/month_calendar.h"
#include "widget/deskleaf_layout.h"
#include "widget/deskleaf_model.h"
#include "widget/deskleaf_settings.h"
#include "widget/desktop_limits.h"

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <functional>
#include <optional>

namespace orlane {

class CAnalogClock;
class CColorLabel;
class NMacMenu;
class ReminderStore;
class SecondTicker;

// What the widget needs from the program; the defaults are the running
// program's own.
struct DeskleafContext {
  QString userFolder;  // ending in '/': "Deskleaf.cfg" and the day files; empty: UserFolder()
  int theme = 1;
  int dateFormat = 0;                   // the settings' date format 0-2
  int weekStart = 1;                    // 1 weeks start on Sunday, 2 on Monday
  std::time_t selectedDate = 0;         // the main window's day; 0: today
  std::function<qint64()> nowMs;        // the clock, ms since the epoch; empty: NowMs
  std::function<QRect()> screen;        // where a new widget goes; empty: the primary screen
  std::function<QRect()> desktop;       // all screens together; empty: the virtual desktop
  std::optional<DesktopLimits> limits;  // empty: asked of the running desktop
  // The program's reminders (with the edits not yet saved); empty: the day files.
  ReminderStore* reminders = nullptr;
  // The program's clock tick; empty: the widget's own timer 3003.
  SecondTicker* ticker = nullptr;
};

class CDeskleafDlg final : public QWidget {
  Q_OBJECT

 public:
  // Reads the settings file, builds the panels, lays them out and shows the
  // window; the first tick of timer 3003 follows at once.
  explicit CDeskleafDlg(DeskleafContext context, QWidget* parent = nullptr);
  ~CDeskleafDlg() override;
  Q_DISABLE_COPY_MOVE(CDeskleafDlg)

 public Q_SLOTS:
  // The main window's theme changed.
  void SetTheme(int theme);
  // The settings dialog changed the date format or the week start.
  void SetDateFormat(int dateFormat);
  void SetWeekStart(int weekStart);
  // The main window saved this day: it becomes the widget date, and the
  // calendar is drawn again (its marks follow the day files). Call
  // RefreshReminders after it.
  void SetSelectedDate(std::time_t date);
  // Reads the widget date's reminders again.
  void RefreshReminders();
  // A day file was written or removed: the calendar's marks follow.
  void RedrawCalendar();
  // Places the window and its panels after the options; writes the settings.
  void LayOut();

 public:
  // The context menu's commands (4001-4011).
  void OnCommand(int id);
  // One tick of timer 3003 (public for tests with a set clock).
  void OnTick();

  const DeskleafSettings& Options() const { return settings_; }
  std::time_t WidgetDate() const { return widgetDate_; }
  const DesktopLimits& Limits() const { return limits_; }
  int Theme() const { return theme_; }
  QString SettingsPath() const;
  QString CaptionText() const;
  // The reminder panel's text, lines ending in CR LF.
  const QString& ReminderText() const { return reminderText_; }
  NMacMenu* ContextMenu() const { return menu_; }
  CMonthCalendar* Calendar() const { return calendar_; }
  CAnalogClock* Clock() const { return clock_; }
  CColorLabel* CaptionLabel() const { return caption_; }
  CColorLabel* ReminderLabel() const { return reminders_; }
  const QTimer& TickTimer() const { return tickTimer_; }
  bool DragArmed() const { return dragArmed_; }

 Q_SIGNALS:
  // The user picked a day in the widget's calendar, asked for today, or the
  // day the widget followed ended: the main window stores the edited
  // reminder, saves its day and loads this one.
  void dateChanged(std::time_t date);
  // "Open Orlane" or a double click: restore the main window from the tray,
  // else bring it to the front.
  void openMainWindowRequested();
  // "Exit Orlane": the main window's exit path.
  void exitRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool event(QEvent* event) override;

 private:
  qint64 NowMs() const;
  std::time_t Now() const;
  void BuildPanels();
  void BuildMenu();
  void ApplyColors();
  void ApplyWindowFlags();
  void ApplyOpacity();
  void UpdateMenuStates();
  void PlacePanels(const DeskleafPanelRects& panels);
  void TakeWindowRect();
  void WriteSettings(bool tellOnFailure = true);
  void ChangeOpacity(OpacityAction action);
  void OnCalendarDateChanged();
  void GotoToday();
  void ShowContextMenu(const QPoint& globalPos);
  void KeepAtBottom();
  bool InDragStrip(const QPoint& pos) const;
  void StartDrag(const QPoint& globalPos);
  // A left click: the keyboard (Page Up, Page Down) comes to the widget.
  void TakeFocus();
  void UpdateCaption();

  DeskleafContext context_;
  DesktopLimits limits_;
  DeskleafSettings settings_;
  QString reminderText_;
  QByteArray written_;   // the settings file's bytes as last read or written
  QByteArray trailing_;  // bytes after the 41 this version knows
  bool writeFailureTold_ = false;
  int theme_ = 1;
  int dateFormat_ = 0;
  int weekStart_ = 1;
  std::time_t widgetDate_ = 0;
  std::time_t lastTick_ = 0;
  QTimer tickTimer_;
  QPointer<CMonthCalendar> calendar_;
  CAnalogClock* clock_ = nullptr;
  CColorLabel* caption_ = nullptr;
  CColorLabel* reminders_ = nullptr;
  NMacMenu* menu_ = nullptr;
  bool placed_ = false;       // the window has been moved to its rectangle once
  bool movedByUser_ = false;  // moved since the settings were last written
  bool layingOut_ = false;
  bool dragArmed_ = false;
  bool dragMoving_ = false;  // the window follows the pointer itself
  QPoint dragOffset_;        // pointer minus window position at the press
  bool lowering_ = false;
};

}  // namespace orlane
