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
  int scope = 0;      // the control the key works in; 0: the whole window
};

std::span<const CommandKey> CommandKeys();

// Whether key is active while mode (179, 180, 181) is shown.
bool KeyActiveInMode(const CommandKey& key, int mode);

// The command the key press stands for in mode, in the control scope (0:
// anywhere else in the window); 0 for none.
int CommandForKey(int key, Qt::KeyboardModifiers modifiers, int mode, int scope = 0);

}  // namespace orlane
