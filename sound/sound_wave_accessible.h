// How the sound view speaks to assistive technology: a value object whose
// value is the play position in seconds, its maximum the sound's length and
// its description the length and the end mark. Setting the value moves the
// play position. Playback reports the position once a second, not per frame.
#pragma once

namespace orlane {

void InstallSoundAccessibility();

}  // namespace orlane
