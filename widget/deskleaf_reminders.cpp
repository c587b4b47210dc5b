#include "widget/deskleaf_reminders.h"

#include "calendar/holiday_file.h"
#include "days/day_files.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"

namespace orlane {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
constexpr char kDateLineFormat[] = " %m-%d-%Y";
}  // namespace

QString BuildDeskleafReminderText(const ReminderMap& map, const DeskleafReminderInput& in) {
  if (!in.showReminders) return QString();
  QString text;
  bool any = false;
  for (const auto& [key, value] : map) {  // the map iterates in key order
    const Reminder reminder = ParseReminderValue(value);
    if (!reminder.active) continue;
    if (!any) {
      const QString day = FormatLocalTime(kDateLineFormat, in.widgetDate);
      if (day != FormatLocalTime(kDateLineFormat, in.now)) text += day + kCrLf;
      any = true;
    }
    const QString note = QString::fromUtf8(reminder.note);
    const QString time = QString::fromUtf8(in.small ? key.left(5) : key);
    text += QLatin1Char('*') + time + kCrLf + note + (in.small ? kCrLf : kCrLf + kCrLf);
  }
  if (!in.holiday.isEmpty()) text = in.holiday + kCrLf + text;
  return text;
}

QString LoadDeskleafReminderText(const QString& userFolder, const DeskleafReminderInput& input) {
  ReminderMap map;
  const QString path =
      userFolder + DayKeyOf(input.widgetDate) + QLatin1String(DayFileExtension(DayFileKind::Reminders));
  LoadReminderDay(path, map);  // a missing or damaged file shows what could be read
  return DeskleafReminderText(map, input);
}

QString DeskleafReminderText(const ReminderMap& map, DeskleafReminderInput input) {
  input.holiday = GetHolidayText(input.widgetDate);
  return BuildDeskleafReminderText(map, input);
}

}  // namespace orlane
