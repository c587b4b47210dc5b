// The main window's keys: which command a key stands for, and in which modes.
// The window turns each into the shortcut of its command's action.
#pragma once

#include <Qt>
#include <span>

namespace orlane {

struct CommandKey {
  int command;  // the command id the key triggers
  int key;
  Qt::KeyboardModifiers modifiers;
  bool reminderMode;  // active in the Reminder mode (179)
  bool diaryMode;     // in the RichText Diary mode (180)
  bool soundMode;     // in the Sound Diary mode (181)
};

std::span<const CommandKey> CommandKeys();

// Whether key is active while mode (179, 180, 181) is shown.
bool KeyActiveInMode(const CommandKey& key, int mode);

// The command the key press stands for in mode; 0 for none.
int CommandForKey(int key, Qt::KeyboardModifiers modifiers, int mode);

}  // namespace orlane
