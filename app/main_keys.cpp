#include "app/main_keys.h"

#include "app/main_ids.h"

namespace orlane {

KeyAction KeyActionFor(int key, Qt::KeyboardModifiers modifiers, int mode) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool textMode = mode == ids::kModeReminder || mode == ids::kModeDiary;
  if (ctrl && key == Qt::Key_S) return KeyAction::SaveAll;
  if (ctrl && key == Qt::Key_G) return KeyAction::ShowConfig;
  if (ctrl && key == Qt::Key_P) return mode == ids::kModeDiary ? KeyAction::Print : KeyAction::None;
  if (ctrl && mode == ids::kModeDiary) {
    if (key == Qt::Key_B) return KeyAction::Bold;
    if (key == Qt::Key_I) return KeyAction::Italic;
    if (key == Qt::Key_U) return KeyAction::Underline;
  }
  if (key == Qt::Key_F3) {
    if (!textMode) return KeyAction::None;
    return ctrl ? KeyAction::SearchAll : KeyAction::FindInText;
  }
  if (key == Qt::Key_F2) return KeyAction::ToggleCalendar;
  if (key == Qt::Key_F1) return KeyAction::Help;
  return KeyAction::None;
}

}  // namespace orlane
