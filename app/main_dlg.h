// The main window: the hub that owns the calendar, the clock, the work area of
// the three modes, the reminder maps, the tray icon and the settings values
// while the program runs. Every command reaches OnCommand(id); the day cycle,
// the tray rules and the layout live in their own models.
#pragma once

#include "app/day_store.h"
#include "app/main_controls.h"
#include "days/settings_file.h"
#include "app/tray_visibility.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/reminder_editor.h"

#include <QColor>
#include <QPoint>
#include <QDialog>
#include <QTextDocument>
#include <QTimer>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QTextEdit;
class QSystemTrayIcon;

namespace orlane {

class DayWatcher;
class NMacMenu;
class MainTrayHost;
class MainAlarmHost;

class CMainDlg final : public QDialog {
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
  int Mode() const { return mode_; }
  void ApplyTheme(int theme);
  int Theme() const { return settings_.theme; }
  void LayOut(int clientWidth, int clientHeight);

  // What a save that failed does besides keeping the day loaded: tell the
  // user, ask whether to leave the day anyway (true: leave), or only log it
  // (nobody is there to ask).
  enum class SaveFailureReply { Tell, AskToLeave, Log };

  void LoadSelectedDay();
  // True when everything that changed was written (or the user chose to leave).
  bool SaveLoadedDay(SaveFailureReply reply = SaveFailureReply::Tell);
  void StoreEditedReminder();
  void GotoToday();
  void SearchDayFiles();
  void OpenSearchResult(const QString& entry);
  void SaveAll();

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
  const Settings& settings() const { return settings_; }
  Settings& settings() { return settings_; }

  const MainControls& Controls() const { return controls_; }
  QWidget* ClientArea() const { return client_; }
  std::time_t SelectedDate() const { return selectedDate_; }
  const QString& LoadedDayKey() const { return loaded_.dayKey; }
  const QString& StatusMessage() const { return status_; }
  TrayState TrayStateValue() const { return tray_->state(); }
  ReminderEditor& Reminders() { return editor_; }
  AlarmScheduler& Scheduler() { return *scheduler_; }
  NMacMenu* Menu(int which) const;  // 0 tray, 1 help, 2 theme, 3 calendar

  // The font combos' selection (102, 103), and the toolbar following the caret.
  void OnFontCombo(int id);
  void SyncDiaryFormat();

  // The diary page on the printer the user picks; PrintDiaryTo prints it on a given one.
  void PrintDiary();
  void PrintDiaryTo(QPrinter& printer) const;

  // The recovery copy of unsaved edits: armed by edits, dropped by saves,
  // offered once after the login.
  void OfferRecovery();
  void WriteRecovery();

  // A reminder of the shown day fired: its active marker is gone everywhere.
  void OnReminderFired(const QByteArray& timeKey);

  // One tick of the one-second timer (public for tests with a set clock).
  void OnAlarmTick();

 Q_SIGNALS:
  void themeChanged(int theme);

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

  void BuildMenus();
  void ConnectControls();
  void ApplyCalendarShown();
  void ToggleCalendarShown();
  void OnDateChanged(std::time_t date);
  void ShowSelectedDate(std::time_t date);
  void OnReminderSelection();
  void OnReminderCommand(int id);
  void OnDiaryCommand(int id);
  void ToggleFormatButton(int id);  // Ctrl+B, Ctrl+I, Ctrl+U
  void ApplyEditedSettings(const Settings& edited);
  void RefreshStatusMessage();
  void ListSearchResults(const QStringList& dayKeys);
  QStringList SearchResultKeys() const;
  void ApplyDiaryBackground();
  void FindInText();
  QTextDocument::FindFlags SearchFlags() const;
  void SelectSearchTerm(QTextEdit* editor);
  QColor DiaryBackground() const;
  void ShowReminderFields();
  void ReadReminderFields();
  void RebuildTitleLine();
  void ArmAlarmTimer();
  void ShowAbout();
  void ShowConfig();
  void OpenModeHelp();
  void PopupMenuUnder(int buttonId, int which);
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
  void ToggleMaximized();
  void DiarySaveContent(DayContent& content) const;
  void FillReminderList();
  // The editor holds map now; the reminder shown before stays shown when it is there.
  void ShowReminders(const ReminderMap& map);
  // The day files changed on disk: what the window did not edit is taken over.
  void OnDayFilesChanged();
  void ShowDiaryPage();
  void OnDestroy();
  void SetUpRecovery();
  void NoteUnsavedEdit();
  void DropRecovery();
  void ShowMediaPreview(const QString& media);

  Settings settings_;
  Settings settingsWritten_;  // as read at start or last written: what the window changed is the rest
  MainControls controls_;
  QWidget* client_ = nullptr;
  int mode_ = 0;
  std::time_t selectedDate_ = 0;
  LoadedDay loaded_;
  QString status_;
  ReminderEditor editor_;
  std::unique_ptr<MainAlarmHost> alarmHost_;
  std::unique_ptr<AlarmScheduler> scheduler_;
  std::unique_ptr<MainTrayHost> trayHost_;
  std::unique_ptr<TrayVisibility> tray_;
  QSystemTrayIcon* trayIcon_ = nullptr;
  NMacMenu* menus_[4] = {};
  QTimer alarmTimer_;
  QTimer recoveryQuiet_;    // two seconds after the last edit
  QTimer recoveryLongest_;  // at most this long while the user keeps typing
  DayWatcher* watcher_ = nullptr;
  PasswordPrompt passwordPrompt_;
  bool loginOpen_ = false;
  bool built_ = false;
  bool destroyed_ = false;
  struct TitleDrag {
    QPoint pointerAt;  // global position of the press on the title strip
    QPoint windowAt;   // the window's position then
  };
  std::optional<TitleDrag> drag_;
  QWidget* preview_ = nullptr;  // the media or movie of the shown reminder
};

}  // namespace orlane
