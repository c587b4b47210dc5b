// Installs the accessible interfaces of the program's own controls (buttons,
// bars, dialogs, calendar, clock, sound view) before the first window opens.
#pragma once

namespace orlane {

void InstallProgramAccessibility();

}  // namespace orlane
