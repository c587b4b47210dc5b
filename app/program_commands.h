// The commands of the program as a whole, from the tray menu, the help menu
// and the buttons that open dialogs: About, Config, the backups (by hand and
// at exit), the iCalendar export and import, the calendar sync, the help and
// the online commands. Dialogs open over the main window; what they change
// goes to the settings' owners, and the day is saved first where the command
// must see what is on screen.
#pragma once

#include "app/work_panel.h"

#include <QObject>

namespace orlane {

class CMainDlg;
class SyncSchedule;
struct SyncReport;

class ProgramCommands final : public QObject, public CommandOwner {
  Q_OBJECT

 public:
  explicit ProgramCommands(CMainDlg& window);
  Q_DISABLE_COPY_MOVE(ProgramCommands)

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;

  // The sync's schedule starts (after the login, when the window is built).
  void StartSync();
  // The backup at each exit, when the user turned it on.
  void BackUpAtExit();

 private:
  int Theme() const;
  void ShowAbout();
  void ShowConfig();
  void BackUpNow();
  void ExportIcalendar();
  void ImportIcalendar();
  void SyncNow();
  void SetUpSyncServer(QWidget* parent);
  void FollowSyncSettings();
  void FollowSync(const SyncReport& report);
  void SyncHolidaysOfShownYear();
  void OpenModeHelp();

  CMainDlg& window_;
  SyncSchedule* sync_ = nullptr;
  bool syncPreparing_ = false;  // the save before a sync runs
};

}  // namespace orlane
