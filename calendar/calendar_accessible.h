// How the month calendar and the analog clock speak to assistive technology.
// The calendar is a table of 6 × 7 cells, each named by its full date, with
// the selected day selected (and focused while the calendar has the focus), a
// description of what the day has, and a press action that chooses the day as
// a click does. The clock's name is the time, renewed once a minute.
#pragma once

namespace orlane {

void InstallCalendarAccessibility();

}  // namespace orlane
