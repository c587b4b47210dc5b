#include "app/command_keys.h"
#include "app/main_ids.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(MainKeys, shortcutsByMode) {
  EXPECT_EQ(CommandForKey(Qt::Key_S, Qt::ControlModifier, ids::kModeSound), ids::kSaveAll);
  EXPECT_EQ(CommandForKey(Qt::Key_G, Qt::ControlModifier, ids::kModeReminder), ids::kShowConfig);
  EXPECT_EQ(CommandForKey(Qt::Key_P, Qt::ControlModifier, ids::kModeDiary), ids::kPrint);
  EXPECT_EQ(CommandForKey(Qt::Key_P, Qt::ControlModifier, ids::kModeReminder), 0);
  EXPECT_EQ(CommandForKey(Qt::Key_F3, Qt::ControlModifier, ids::kModeReminder), ids::kSearch);
  EXPECT_EQ(CommandForKey(Qt::Key_F3, Qt::NoModifier, ids::kModeDiary), ids::kFind);
  EXPECT_EQ(CommandForKey(Qt::Key_F3, Qt::NoModifier, ids::kModeSound), 0);
  EXPECT_EQ(CommandForKey(Qt::Key_F2, Qt::NoModifier, ids::kModeSound), ids::kCalendarSwitch);
  EXPECT_EQ(CommandForKey(Qt::Key_F1, Qt::NoModifier, ids::kModeDiary), ids::kHelpManual);
  EXPECT_EQ(CommandForKey(Qt::Key_S, Qt::NoModifier, ids::kModeDiary), 0);
  EXPECT_EQ(CommandForKey(Qt::Key_B, Qt::ControlModifier, ids::kModeDiary), ids::kBold);
  EXPECT_EQ(CommandForKey(Qt::Key_I, Qt::ControlModifier, ids::kModeDiary), ids::kItalic);
  EXPECT_EQ(CommandForKey(Qt::Key_U, Qt::ControlModifier, ids::kModeDiary), ids::kUnderline);
  EXPECT_EQ(CommandForKey(Qt::Key_B, Qt::ControlModifier, ids::kModeReminder), 0);
}

TEST(MainKeys, addRemoveAndTheNeighbouringDays) {
  EXPECT_EQ(CommandForKey(Qt::Key_Return, Qt::ControlModifier, ids::kModeReminder), ids::kAddReminder);
  EXPECT_EQ(CommandForKey(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, ids::kModeReminder),
            ids::kAddReminder);
  EXPECT_EQ(CommandForKey(Qt::Key_Return, Qt::ControlModifier, ids::kModeDiary), 0);
  // Delete removes a reminder in the list only; elsewhere it deletes text.
  EXPECT_EQ(CommandForKey(Qt::Key_Delete, Qt::NoModifier, ids::kModeReminder, ids::kReminderList),
            ids::kRemoveReminder);
  EXPECT_EQ(CommandForKey(Qt::Key_Delete, Qt::NoModifier, ids::kModeReminder), 0);
  EXPECT_EQ(CommandForKey(Qt::Key_Delete, Qt::NoModifier, ids::kModeReminder, ids::kReminderNote), 0);
  for (int mode : {ids::kModeReminder, ids::kModeDiary, ids::kModeSound}) {
    EXPECT_EQ(CommandForKey(Qt::Key_Left, Qt::AltModifier, mode), ids::kPreviousDay);
    EXPECT_EQ(CommandForKey(Qt::Key_PageUp, Qt::ControlModifier, mode), ids::kPreviousDay);
    EXPECT_EQ(CommandForKey(Qt::Key_Right, Qt::AltModifier, mode), ids::kNextDay);
    EXPECT_EQ(CommandForKey(Qt::Key_PageDown, Qt::ControlModifier, mode), ids::kNextDay);
    // The arrows alone and with Ctrl stay the sound view's and the text's.
    EXPECT_EQ(CommandForKey(Qt::Key_Left, Qt::NoModifier, mode), 0);
    EXPECT_EQ(CommandForKey(Qt::Key_Left, Qt::ControlModifier, mode), 0);
  }
}
