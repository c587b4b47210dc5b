#include "app/program_accessibility.h"

#include "calendar/calendar_accessible.h"
#include "controls/accessible_controls.h"
#include "sound/sound_wave_accessible.h"

namespace orlane {

void InstallProgramAccessibility() {
  InstallControlsAccessibility();
  InstallCalendarAccessibility();
  InstallSoundAccessibility();
}

}  // namespace orlane
