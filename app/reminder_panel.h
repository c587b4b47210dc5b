// The Reminder mode's work area: the "Alarm Set" group with the time picker,
// the reminder list, the check boxes, the media file and the note, over the
// reminder editor. Every change of a field goes into the ReminderStore at once.
#pragma once

#include "app/work_panel.h"
#include "reminders/reminder_editor.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace orlane {

class CColorListBox;
class CMacCheckBox;
class CRichDiaryCtrl;

class ReminderPanel final : public WorkPanel {
  Q_OBJECT

 public:
  ReminderPanel(QWidget* client, PanelHost& host, ReminderStore& store, int theme);

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
  void LayOut(const std::vector<ControlPlacement>& layout) override;
  void SetShown(bool shown) override;

  ReminderEditor& Editor() { return editor_; }
  CRichDiaryCtrl* Note() const { return note_; }
  QTimeEdit* TimePicker() const { return timePicker_; }

  // The day's reminders, shown from the first.
  void LoadDay(const QString& dayKey);
  // The shown day changed in the store: the reminder shown stays shown while it is there.
  void FollowStore();
  // The list is named after the day it shows.
  void NameListFor(std::time_t date);

 Q_SIGNALS:
  // The reminders changed: the title line's status follows.
  void remindersChanged();

 private:
  void FillList();
  void ShowFields();
  // The user changed a field: the editor (and so the store) takes them all.
  void FieldsEdited();
  void OnSelection();
  void ShowMediaPreview(const QString& media);
  void TellExists(const QByteArray& key);
  // The recurrence the Recurs fields say, and the user changed them.
  RecurRule RecurrenceOfFields() const;
  void RecurrenceEdited();
  void ShowRecurrence();
  // Remove on an occurrence: "Only this day" or "Every time"; false when cancelled.
  bool RemoveOccurrence();

  ReminderEditor editor_;
  QTimeEdit* timePicker_ = nullptr;
  CColorListBox* list_ = nullptr;
  CRichDiaryCtrl* note_ = nullptr;
  QLineEdit* media_ = nullptr;
  CMacCheckBox* active_ = nullptr;
  CMacCheckBox* repeat_ = nullptr;
  CMacCheckBox* beepOnly_ = nullptr;
  QComboBox* recurs_ = nullptr;
  QSpinBox* recurEvery_ = nullptr;
  QDateEdit* recurUntil_ = nullptr;
  QWidget* client_ = nullptr;
  QWidget* preview_ = nullptr;  // the media or movie of the shown reminder
  QRect previewArea_;
  QString shownMedia_;  // what the preview shows
  bool shown_ = false;
  bool showing_ = false;  // the fields are being filled from the editor
};

}  // namespace orlane
