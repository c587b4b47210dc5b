// The names a screen reader gives the main window's controls that carry no
// caption of their own: text fields and pickers by their label, lists by what
// they list, the views by what they show. Buttons speak their caption or tip.
#pragma once

#include <QString>
#include <ctime>

namespace orlane {

// The name of control `id`, or null when the control names itself.
const char* AccessibleNameOfControl(int id);

// "Reminders of 9 December 2026".
QString ReminderListName(std::time_t date);

}  // namespace orlane
