// The Sound Diary mode's work area: the volume controls, the recorder
// buttons, the input level and the sound view that records and plays the
// day's sound. The panel keeps the day's sound diary file in step with the
// day the window shows: loaded with the day, saved when a recording stops
// (also before the day changes or the program ends), forgotten on a change
// of day.
#pragma once

#include "app/work_panel.h"
#include "sound/sound_day_cycle.h"

#include <QTimer>

namespace orlane {

class CBarCtrl;
class CMixerSliders;
class CSoundWaveWnd;
struct RecorderButtonStates;

class SoundPanel final : public WorkPanel {
  Q_OBJECT

 public:
  static constexpr int kButtonTimerMs = 200;  // the recorder-button timer 2004

  SoundPanel(QWidget* client, PanelHost& host, int theme);
  ~SoundPanel() override;
  Q_DISABLE_COPY_MOVE(SoundPanel)

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
  void SetShown(bool shown) override;
  void ApplyTheme(int theme) override;

  // The day's sound diary (dayKey + ".rec") under the current password;
  // nothing while a recording runs or when that day's sound is already open.
  void LoadDay(const QString& dayKey);
  // A running recording is stopped and saved as the day's sound. tell:
  // failures go to the user, else only to the error log (nobody to ask).
  void StopForSave(bool tell);
  // A change of day: a running recording is saved first, then the shown
  // sound is forgotten.
  void LeaveDay(bool tell = true);

  // One tick of the recorder-button timer: the buttons' actions, the
  // calendar and the mode switch take the states of the recorder's table.
  void RefreshButtons();

  CSoundWaveWnd* View() const { return view_; }
  CBarCtrl* LevelBar() const { return levelBar_; }
  const DaySound& Day() const { return day_; }

 private:
  void Tell(const SoundResult& result, bool tell = true);
  void Record();
  void StopCommand();
  void Delete();
  void SaveAs();
  void ResetLevel();
  CMixerSliders& Mixer();

  CSoundWaveWnd* view_ = nullptr;
  CBarCtrl* levelBar_ = nullptr;
  CMixerSliders* mixer_ = nullptr;
  QTimer buttonTimer_;
  DaySound day_;
  int theme_ = 0;
};

}  // namespace orlane
