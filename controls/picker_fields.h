// Date and time pickers select the field under a click, so that the digits
// typed next replace it, as a person expects of a picker. Without this a
// click only places the cursor inside a field and typing is refused. And Tab
// leaves a picker that shows its special text ("any day"), which has no
// fields for Tab to walk through.
#pragma once

#include <functional>

class QCalendarWidget;
class QDateEdit;
class QDateTimeEdit;

namespace orlane {

void SelectFieldOnClick(QDateTimeEdit* picker);

// Runs `prepare` on the picker's calendar once Qt has made it: when the
// pop-up first opens, or at once when it exists already. A calendar costs
// several milliseconds to build (the style's navigation icons), so pickers
// leave it unmade until a person opens one.
void WhenCalendarMade(QDateTimeEdit* picker, std::function<void(QCalendarWidget*)> prepare);

// The picker's calendar, made and prepared now if it was not yet.
QCalendarWidget* PreparedCalendar(QDateTimeEdit* picker);

// The settings' date format (0-2) for the field and their week start (1
// Sunday, 2 Monday) for the calendar pop-up.
void ApplyDateSettings(QDateEdit* picker, int dateFormat, int weekStart);

}  // namespace orlane
