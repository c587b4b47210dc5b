// Date and time pickers select the field under a click, so that the digits
// typed next replace it, as a person expects of a picker. Without this a
// click only places the cursor inside a field and typing is refused. And Tab
// leaves a picker that shows its special text ("any day"), which has no
// fields for Tab to walk through.
#pragma once

class QDateEdit;
class QDateTimeEdit;

namespace orlane {

void SelectFieldOnClick(QDateTimeEdit* picker);

// The settings' date format (0-2) for the field and their week start (1
// Sunday, 2 Monday) for the calendar pop-up.
void ApplyDateSettings(QDateEdit* picker, int dateFormat, int weekStart);

}  // namespace orlane
