// The text of the widget's reminder panel: the holiday of the widget's day,
// the day itself when it is not today, and every reminder whose value
// mentions the active marker anywhere (a note that quotes the marker counts
// too), each as "*" + time + its note. The small size shows "HH:MM" and one
// line per note, the big size "HH:MM:SS" and a blank line after each note.
#pragma once

#include "reminders/reminder_day.h"

#include <QString>
#include <ctime>

namespace orlane {

struct DeskleafReminderInput {
  std::time_t widgetDate = 0;
  std::time_t now = 0;
  bool small = false;
  bool showReminders = true;
  QString holiday;  // the widget day's holiday name, or empty
};

// Texts end their lines with CR LF.
QString BuildDeskleafReminderText(const ReminderMap& map, const DeskleafReminderInput& input);

// The reminder day file of the widget's day in userFolder (ending in '/')
// and its holiday; reading never changes the file.
QString LoadDeskleafReminderText(const QString& userFolder, const DeskleafReminderInput& input);
// The same for the day's reminders as the program holds them.
QString DeskleafReminderText(const ReminderMap& map, DeskleafReminderInput input);

}  // namespace orlane
