#include "app/main_keys.h"
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
