// The controls of the main window's frame, shared by every mode: the title
// band and its buttons, the toolbar, the mode switch, the calendar (or the
// date picker with the clock) and the title line with the calendar switch.
#pragma once

#include "app/panel_controls.h"

class QDateEdit;
class QLabel;

namespace orlane {

class CAnalogClock;
class CBVTitle;
class CMonthCalendar;
class NMacBtnGroup;

struct FrameControls {
  ControlSet set;
  CBVTitle* title = nullptr;
  CMonthCalendar* calendar = nullptr;
  CAnalogClock* clock = nullptr;
  NMacBtnGroup* modeSwitch = nullptr;
  QDateEdit* datePicker = nullptr;  // 1044
  QLabel* titleLine = nullptr;      // 1059
};

// Builds the frame's controls as children of client, in the given theme.
void CreateFrameControls(QWidget* client, FrameControls& controls, int theme, int weekStart);

// The frame's controls in another theme.
void ApplyFrameTheme(FrameControls& controls, int theme);
// The calendar, or in its place the date picker with the clock.
void ShowCalendarOrClock(FrameControls& controls, bool calendarShown);
void ShowMaximized(FrameControls& controls, bool maximized);

}  // namespace orlane
