// The main window's child controls, created once and reached by their ids.
// Creation gives each its caption, bitmap and tooltip; placing them is the
// layout's job, showing them the mode's.
#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

class QDateEdit;
class QTimeEdit;
class QLineEdit;
class QTextEdit;
class QSlider;
class QLabel;
class QGroupBox;
class QComboBox;
class QCheckBox;

namespace orlane {

class CAnalogClock;
class CBarCtrl;
class CBVTitle;
class CRichDiaryCtrl;
class CColorListBox;
class CMacButton;
class CMacCheckBox;
class CMonthCalendar;
class NMacBtnGroup;

struct MainControls {
  QHash<int, QWidget*> byId;

  CBVTitle* title = nullptr;
  CMonthCalendar* calendar = nullptr;
  CAnalogClock* clock = nullptr;
  NMacBtnGroup* modeSwitch = nullptr;
  QDateEdit* datePicker = nullptr;  // 1044
  QTimeEdit* timePicker = nullptr;  // 1004
  CColorListBox* reminderList = nullptr;  // 1007
  CRichDiaryCtrl* reminderNote = nullptr;  // 201
  QLineEdit* mediaEdit = nullptr;         // 1060
  CMacCheckBox* active = nullptr;         // 1034
  CMacCheckBox* repeat = nullptr;         // 1039
  CMacCheckBox* beepOnly = nullptr;       // 1023
  CRichDiaryCtrl* diaryEditor = nullptr;   // 200
  QComboBox* fontName = nullptr;          // 103
  QComboBox* fontSize = nullptr;          // 102
  QWidget* soundView = nullptr;
  CBarCtrl* levelBar = nullptr;
  QLineEdit* searchWords = nullptr;       // 1022
  CColorListBox* searchResults = nullptr; // 1035
  QLabel* titleLine = nullptr;            // 1059

  QList<int> reminderIds;  // shown in the Reminder mode
  QList<int> diaryIds;     // in the RichText Diary mode
  QList<int> soundIds;     // in the Sound Diary mode

  CMacButton* button(int id) const;
  QWidget* widget(int id) const { return byId.value(id); }
};

// Builds every control as a child of client, in the given theme.
void CreateMainControls(QWidget* client, MainControls& controls, int theme, int weekStart);

}  // namespace orlane
