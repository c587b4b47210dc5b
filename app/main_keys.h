// The main window's keyboard shortcuts: which command a key press means in the
// current mode. Checked before the focused control sees the key.
#pragma once

#include <Qt>

namespace orlane {

enum class KeyAction {
  None,
  SaveAll,     // Ctrl+S
  ShowConfig,  // Ctrl+G
  Print,       // Ctrl+P, diary mode only
  SearchAll,   // Ctrl+F3, reminder and diary modes
  FindInText,  // F3, reminder and diary modes
  ToggleCalendar,  // F2
  Help,        // F1
  Bold,        // Ctrl+B, diary mode only
  Italic,      // Ctrl+I, diary mode only
  Underline,   // Ctrl+U, diary mode only
};

// mode: 179 Reminder, 180 RichText Diary, 181 Sound Diary.
KeyAction KeyActionFor(int key, Qt::KeyboardModifiers modifiers, int mode);

}  // namespace orlane
