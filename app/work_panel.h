// A mode's work area of the main window: the panel owns its controls, creates
// them, places them from the layout and carries out the commands it owns. The
// hub (the main window) hands a panel each command that belongs to it and
// offers the panel what is the hub's through PanelHost.
#pragma once

#include "app/panel_controls.h"
#include "app/window_layout.h"

#include <QObject>
#include <QString>
#include <ctime>
#include <vector>

class QAction;
class QTextEdit;

namespace orlane {

struct AlertRequest;
class CRichDiaryCtrl;
struct Settings;

class PanelHost {
 public:
  virtual ~PanelHost() = default;
  virtual QWidget* Window() = 0;
  virtual int Mode() const = 0;
  // The settings while the program runs (a panel may change its own values).
  virtual Settings& RunningSettings() = 0;
  // Saves the shown day; false when it could not be saved (the user was told).
  virtual bool SaveShownDay() = 0;
  virtual void OpenDay(std::time_t date) = 0;
  // The day the window shows.
  virtual std::time_t ShownDate() const = 0;
  // The status message of the title line; empty: the day's own message.
  virtual void ShowStatus(const QString& status) = 0;
  virtual void Relayout() = 0;
  virtual void ShowAlert(const AlertRequest& alert) = 0;
  // The search words, selected in editor when they occur there.
  virtual void SelectSearchTerm(QTextEdit* editor) = 0;
  // The text the mode shows (the reminder note or the diary page); null in the Sound Diary mode.
  virtual CRichDiaryCtrl* ModeTextEditor() = 0;
  virtual QAction* CommandAction(int id) = 0;
  // The calendar (with the date picker) and the mode switch take input only when on.
  virtual void EnableDayChoice(bool calendar, bool modeSwitch) = 0;
  // A day file was written or removed: the calendar's marks follow.
  virtual void RedrawCalendar() = 0;
};

// What carries out some of the window's commands: the hub hands it each id it owns.
class CommandOwner {
 public:
  virtual ~CommandOwner() = default;
  virtual bool OwnsCommand(int id) const = 0;
  virtual void OnCommand(int id) = 0;
};

class WorkPanel : public QObject, public CommandOwner {
  Q_OBJECT

 public:
  WorkPanel(PanelHost& host, QObject* parent);
  Q_DISABLE_COPY_MOVE(WorkPanel)

  const ControlSet& Controls() const { return controls_; }
  // Places the panel's controls that the layout names.
  virtual void LayOut(const std::vector<ControlPlacement>& layout);
  virtual void SetShown(bool shown);
  virtual void ApplyTheme(int theme);

 protected:
  PanelHost& host_;
  ControlSet controls_;
};

}  // namespace orlane
