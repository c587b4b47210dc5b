// The main window: the hub that owns the frame (calendar, clock, toolbar, mode
// switch), the panels of the three modes and the search, and the tray icon.
// The shown day's life cycle is the DaySession's, the reminders are the
// ReminderStore's, the settings the ProgramSettings'; the window shows what
// they emit. Every command's action reaches OnCommand(id), which hands it to
// its owner: a panel, the program's commands or the frame; the tray rules,
// the layout and the title line live in their own objects.
#pragma once

#include "app/day_session.h"
#include "app/frame_controls.h"
#include "app/program_menus.h"
#include "app/tray_visibility.h"
#include "app/work_panel.h"
#include "days/settings_file.h"
#include "platform/second_ticker.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/reminder_editor.h"

#include <QDialog>
#include <QTimer>
#include <ctime>
#include <functional>
#include <memory>

class QTextEdit;
class QSystemTrayIcon;

namespace orlane {

class CMacButton;
class DeskleafLink;
class DiaryPanel;
class CommandActions;
class NMacMenu;
class ReminderPanel;
class SearchPanel;
class SoundPanel;
class MainTrayHost;
class MainAlarmHost;
class AlertQueue;
class ReminderStore;
class ReminderOptions;
class ProgramCommands;
class ProgramSettings;
class TitleStatus;
class WindowDrag;

class CMainDlg final : public QDialog, private PanelHost {
  Q_OBJECT

 public:
  explicit CMainDlg(QWidget* parent = nullptr);
  ~CMainDlg() override;
  Q_DISABLE_COPY_MOVE(CMainDlg)

  // Asks for the password; the start-up routine installs the login dialog.
  using PasswordPrompt = std::function<bool(int theme, QWidget* owner)>;
  void SetPasswordPrompt(PasswordPrompt prompt) { passwordPrompt_ = std::move(prompt); }

  // Builds the window in the order of its initialisation; false when it must
  // end before it was built.
  bool OnInitDialog();

  void OnCommand(int id);
  void SetMode(int id);
  int Mode() const override { return mode_; }
  void ApplyTheme(int theme);
  int Theme() const;
  void LayOut(int clientWidth, int clientHeight);

  // What a save that failed does besides keeping the day loaded: tell the
  // user, ask whether to leave the day anyway (true: leave), or only log it
  // (nobody is there to ask).
  enum class SaveFailureReply { Tell, AskToLeave, Log };

  void LoadSelectedDay();
  // True when everything that changed was written (or the user chose to leave).
  bool SaveLoadedDay(SaveFailureReply reply = SaveFailureReply::Tell);
  void GotoToday();
  void SaveAll();
  // The calendar, the date picker or the desk widget chose a day: the shown
  // day is saved and the chosen one loaded.
  void OnDateChanged(std::time_t date);

  // The end of the program from outside (a signal, the application quitting):
  // the shown day and the settings are saved as Exit saves them.
  void SaveForSessionEnd();
  // The session manager asks for the data at logout: saved now; the program
  // goes on, since the logout may still be cancelled.
  void CommitSessionData();

  int ToggleMainWindow();
  bool AskPassword();
  void OnCancelRequest();  // the exit question

  void ReadSettings();
  void WriteSettings();
  ProgramSettings& Preferences() const { return *preferences_; }
  Settings& settings() const;

  const FrameControls& Frame() const { return frame_; }
  ReminderPanel& ReminderArea() const { return *reminders_; }
  DiaryPanel& DiaryArea() const { return *diary_; }
  SearchPanel& SearchArea() const { return *search_; }
  SoundPanel& SoundArea() const { return *sound_; }
  // Any control of the frame or a panel by its id.
  QWidget* ControlById(int id) const;
  CMacButton* ButtonById(int id) const;
  CommandActions& Actions() const { return *actions_; }
  QWidget* ClientArea() const { return client_; }
  std::time_t SelectedDate() const { return session_->selectedDate(); }
  const QString& LoadedDayKey() const { return session_->dayKey(); }
  DaySession& Session() const { return *session_; }
  ReminderStore& Store() const { return *store_; }
  AlertQueue& Alerts() const { return *alerts_; }
  ReminderOptions& Options() const { return *options_; }
  SecondTicker& Ticker() { return ticker_; }
  TitleStatus& Title() const { return *title_; }
  const QString& StatusMessage() const;
  TrayState TrayStateValue() const { return tray_->state(); }
  ReminderEditor& Reminders();
  AlarmScheduler& Scheduler() { return *scheduler_; }
  NMacMenu* Menu(int which) const;  // 0 tray, 1 help, 2 theme, 3 calendar
  // The desk widget: created at start-up when the settings ask, and by "Show Deskleaf".
  DeskleafLink& Deskleaf() const { return *deskleaf_; }

  // The recovery copy of unsaved edits, offered once after the login.
  void OfferRecovery();
  // Day files changed beside the shown day (an import, a sync, new holidays):
  // the calendars' marks and the widget's reminders follow.
  void FollowFolderChange();

  // One tick of the one-second timer (public for tests with a set clock).
  void OnAlarmTick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  friend class MainTrayHost;
  friend class MainAlarmHost;

  // What the panels may ask of the hub.
  QWidget* Window() override { return this; }
  Settings& RunningSettings() override { return settings(); }
  bool SaveShownDay() override { return SaveLoadedDay(); }
  void OpenDay(std::time_t date) override { OnDateChanged(date); }
  std::time_t ShownDate() const override { return session_->selectedDate(); }
  void ShowStatus(const QString& status) override;
  void Relayout() override { LayOut(client_->width(), client_->height()); }
  void ShowAlert(const AlertRequest& alert) override;
  void SelectSearchTerm(QTextEdit* editor) override;
  CRichDiaryCtrl* ModeTextEditor() override;
  QAction* CommandAction(int id) override;
  void EnableDayChoice(bool calendar, bool modeSwitch) override;
  void RedrawCalendar() override;

  void CreatePanels();
  void BuildMenus();
  void ConnectControls();
  QList<WorkPanel*> Panels() const;
  void ConnectSettings();
  void FollowTheme(int theme);
  void FollowSettings(const Settings& settings);
  void ToggleCalendarShown();
  void ShowSelectedDate(std::time_t date);
  // The date pickers in the settings' date format and week start.
  void ApplyDateSettings();
  // The day before (-1) or after (1) the shown one (Alt+Left, Alt+Right).
  void StepShownDay(int days);
  void RefreshStatusMessage();
  void ConnectSession();
  void OnDayLoaded(const QString& dayKey);
  void TellDamagedReminders(const QString& dayKey);
  // A failed save told; true when the user chose to leave the day anyway.
  bool TellSaveFailure(const DaySaveResult& saved, SaveFailureReply reply);
  void PopupMenuUnder(int buttonId, int which);
  void ToggleMaximized();
  void OnDestroy();
  void KeepWindowPlace();

  ProgramSettings* preferences_ = nullptr;
  FrameControls frame_;
  QWidget* client_ = nullptr;
  CommandActions* actions_ = nullptr;
  SearchPanel* search_ = nullptr;
  ReminderPanel* reminders_ = nullptr;
  DiaryPanel* diary_ = nullptr;
  SoundPanel* sound_ = nullptr;
  int mode_ = 0;
  ReminderStore* store_ = nullptr;
  DaySession* session_ = nullptr;
  AlertQueue* alerts_ = nullptr;
  ReminderOptions* options_ = nullptr;
  ProgramCommands* commands_ = nullptr;
  TitleStatus* title_ = nullptr;
  WindowDrag* drag_ = nullptr;
  std::unique_ptr<MainAlarmHost> alarmHost_;
  std::unique_ptr<AlarmScheduler> scheduler_;
  std::unique_ptr<MainTrayHost> trayHost_;
  std::unique_ptr<TrayVisibility> tray_;
  QSystemTrayIcon* trayIcon_ = nullptr;
  NMacMenu* menus_[kProgramMenuCount] = {};
  SecondTicker ticker_;
  std::unique_ptr<DeskleafLink> deskleaf_;
  PasswordPrompt passwordPrompt_;
  bool loginOpen_ = false;
  bool built_ = false;
  bool destroyed_ = false;
  bool placed_ = false;  // the window was placed on the desktop: its place is kept at exit
};

}  // namespace orlane
