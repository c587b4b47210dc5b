#include "app/main_ids.h"
#include "app/main_keys.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(MainKeys, shortcutsByMode) {
  EXPECT_EQ(KeyActionFor(Qt::Key_S, Qt::ControlModifier, ids::kModeSound), KeyAction::SaveAll);
  EXPECT_EQ(KeyActionFor(Qt::Key_G, Qt::ControlModifier, ids::kModeReminder), KeyAction::ShowConfig);
  EXPECT_EQ(KeyActionFor(Qt::Key_P, Qt::ControlModifier, ids::kModeDiary), KeyAction::Print);
  EXPECT_EQ(KeyActionFor(Qt::Key_P, Qt::ControlModifier, ids::kModeReminder), KeyAction::None);
  EXPECT_EQ(KeyActionFor(Qt::Key_F3, Qt::ControlModifier, ids::kModeReminder), KeyAction::SearchAll);
  EXPECT_EQ(KeyActionFor(Qt::Key_F3, Qt::NoModifier, ids::kModeDiary), KeyAction::FindInText);
  EXPECT_EQ(KeyActionFor(Qt::Key_F3, Qt::NoModifier, ids::kModeSound), KeyAction::None);
  EXPECT_EQ(KeyActionFor(Qt::Key_F2, Qt::NoModifier, ids::kModeSound), KeyAction::ToggleCalendar);
  EXPECT_EQ(KeyActionFor(Qt::Key_F1, Qt::NoModifier, ids::kModeDiary), KeyAction::Help);
  EXPECT_EQ(KeyActionFor(Qt::Key_S, Qt::NoModifier, ids::kModeDiary), KeyAction::None);
  EXPECT_EQ(KeyActionFor(Qt::Key_B, Qt::ControlModifier, ids::kModeDiary), KeyAction::Bold);
  EXPECT_EQ(KeyActionFor(Qt::Key_I, Qt::ControlModifier, ids::kModeDiary), KeyAction::Italic);
  EXPECT_EQ(KeyActionFor(Qt::Key_U, Qt::ControlModifier, ids::kModeDiary), KeyAction::Underline);
  EXPECT_EQ(KeyActionFor(Qt::Key_B, Qt::ControlModifier, ids::kModeReminder), KeyAction::None);
}
