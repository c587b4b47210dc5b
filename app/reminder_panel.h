// The Reminder mode's work area: the "Alarm Set" group with the time picker,
// the reminder list, the check boxes, the media file and the note, over the
// reminder editor that holds the shown day's reminders.
#pragma once

#include "app/main_panel.h"
#include "reminders/reminder_editor.h"

class QLineEdit;
class QTimeEdit;

namespace orlane {

class CColorListBox;
class CMacCheckBox;
class CRichDiaryCtrl;

class ReminderPanel final : public MainPanel {
  Q_OBJECT

 public:
  ReminderPanel(QWidget* client, PanelHost& host, int theme);

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
  void LayOut(const std::vector<ControlPlacement>& layout) override;
  void SetShown(bool shown) override;

  ReminderEditor& Editor() { return editor_; }
  CRichDiaryCtrl* Note() const { return note_; }
  QTimeEdit* TimePicker() const { return timePicker_; }

  // The day's reminders, shown from the first (LoadDay) or keeping the
  // reminder shown before when it is still there (Show).
  void LoadDay(const ReminderMap& map);
  // The list is named after the day it shows.
  void NameListFor(std::time_t date);
  void Show(const ReminderMap& map);
  // What the fields hold goes into the editor's map.
  void StoreEdited();
  // A reminder of the shown day fired: its active marker is gone.
  void MarkFired(const QByteArray& timeKey);

 Q_SIGNALS:
  // The reminders changed: the title line's status follows.
  void remindersChanged();

 private:
  void FillList();
  void ShowFields();
  void ReadFields();
  void OnSelection();
  void ShowMediaPreview(const QString& media);
  void TellExists(const QByteArray& key);

  ReminderEditor editor_;
  QTimeEdit* timePicker_ = nullptr;
  CColorListBox* list_ = nullptr;
  CRichDiaryCtrl* note_ = nullptr;
  QLineEdit* media_ = nullptr;
  CMacCheckBox* active_ = nullptr;
  CMacCheckBox* repeat_ = nullptr;
  CMacCheckBox* beepOnly_ = nullptr;
  QWidget* client_ = nullptr;
  QWidget* preview_ = nullptr;  // the media or movie of the shown reminder
  QRect previewArea_;
  bool shown_ = false;
};

}  // namespace orlane
