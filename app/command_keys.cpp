#include "app/command_keys.h"

#include "app/main_ids.h"

namespace orlane {

namespace {
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

constexpr CommandKey kKeys[] = {
    {ids::kSaveAll, Qt::Key_S, kCtrl, true, true, true},
    {ids::kShowConfig, Qt::Key_G, kCtrl, true, true, true},
    {ids::kPrint, Qt::Key_P, kCtrl, false, true, false},
    {ids::kSearch, Qt::Key_F3, kCtrl, true, true, false},
    {ids::kFind, Qt::Key_F3, kNone, true, true, false},
    {ids::kCalendarSwitch, Qt::Key_F2, kNone, true, true, true},
    {ids::kHelpManual, Qt::Key_F1, kNone, true, true, true},
    {ids::kBold, Qt::Key_B, kCtrl, false, true, false},
    {ids::kItalic, Qt::Key_I, kCtrl, false, true, false},
    {ids::kUnderline, Qt::Key_U, kCtrl, false, true, false},
    {ids::kAddReminder, Qt::Key_Return, kCtrl, true, false, false},
    {ids::kAddReminder, Qt::Key_Enter, kCtrl, true, false, false},
    // Delete removes a reminder only from the list; in a text it deletes text.
    {ids::kRemoveReminder, Qt::Key_Delete, kNone, true, false, false, ids::kReminderList},
    {ids::kPreviousDay, Qt::Key_Left, kAlt, true, true, true},
    {ids::kPreviousDay, Qt::Key_PageUp, kCtrl, true, true, true},
    {ids::kNextDay, Qt::Key_Right, kAlt, true, true, true},
    {ids::kNextDay, Qt::Key_PageDown, kCtrl, true, true, true},
};
}  // namespace

std::span<const CommandKey> CommandKeys() {
  return kKeys;
}

bool KeyActiveInMode(const CommandKey& key, int mode) {
  return (mode == ids::kModeReminder && key.reminderMode) || (mode == ids::kModeDiary && key.diaryMode) ||
         (mode == ids::kModeSound && key.soundMode);
}

int CommandForKey(int key, Qt::KeyboardModifiers modifiers, int mode, int scope) {
  const Qt::KeyboardModifiers relevant = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  for (const CommandKey& k : kKeys)
    if (k.key == key && k.modifiers == relevant && KeyActiveInMode(k, mode) && (k.scope == 0 || k.scope == scope))
      return k.command;
  return 0;
}

}  // namespace orlane
