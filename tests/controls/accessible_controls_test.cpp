#include "controls/accessible_controls.h"
#include "controls/bar_ctrl.h"
#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QSignalSpy>

namespace orlane {
namespace {

class AccessibleControlsTest : public ::testing::Test {
 protected:
  AccessibleControlsTest() { InstallControlsAccessibility(); }
};

TEST(AccessibleButtonName, captionWithoutMnemonicsElseTipWithoutKeyHint) {
  EXPECT_EQ(AccessibleButtonName(QStringLiteral("&Yes"), QStringLiteral("tip")), QStringLiteral("Yes"));
  EXPECT_EQ(AccessibleButtonName(QStringLiteral("Save && Go"), QString()), QStringLiteral("Save & Go"));
  EXPECT_EQ(AccessibleButtonName(QString(), QStringLiteral("Help (F1)")), QStringLiteral("Help"));
  EXPECT_EQ(AccessibleButtonName(QString(), QStringLiteral("Print diary (CTRL+P)")), QStringLiteral("Print diary"));
  EXPECT_EQ(AccessibleButtonName(QString(), QStringLiteral("Close")), QStringLiteral("Close"));
  EXPECT_EQ(AccessibleButtonName(QString(), QString()), QString());
}

TEST_F(AccessibleControlsTest, iconButton_isNamedByItsTipAndReportsToggleLatchAndDisabledStates) {
  CMacButton bold(QString(), 107, nullptr);
  bold.SetTooltipText(QStringLiteral("Bold"));
  bold.SetToggleMode(CMacButton::kToggleMode);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&bold);
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::Button);
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Bold"));
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Bold"));
  EXPECT_TRUE(iface->state().checkable);
  EXPECT_FALSE(iface->state().checked);

  QSignalSpy clicks(&bold, &CMacButton::commandClicked);
  QAccessibleActionInterface* actions = iface->actionInterface();
  ASSERT_TRUE(actions);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(iface->state().checked);
  EXPECT_EQ(bold.GetVisualState(), CMacButton::kPressed);
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_FALSE(iface->state().checked);
  EXPECT_EQ(clicks.count(), 2);

  // A latching mode button clicks once; pressing it again does nothing.
  CMacButton mode(QStringLiteral("Diary"), 180, nullptr);
  mode.SetToggleMode(CMacButton::kLatchMode);
  QSignalSpy modeClicks(&mode, &CMacButton::commandClicked);
  QAccessibleInterface* modeIface = QAccessible::queryAccessibleInterface(&mode);
  EXPECT_EQ(modeIface->text(QAccessible::Name), QStringLiteral("Diary"));
  modeIface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  modeIface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(modeClicks.count(), 1);
  EXPECT_TRUE(modeIface->state().checked);

  mode.setEnabled(false);
  EXPECT_TRUE(modeIface->state().disabled);
  EXPECT_FALSE(modeIface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST_F(AccessibleControlsTest, bar_isAProgressValue) {
  CBarCtrl bar(QRect(0, 0, 100, 10), nullptr);
  bar.SetRange(0, 200);
  bar.SetPos(50);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&bar);
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
  ASSERT_TRUE(iface->valueInterface());
  EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), 50);
  EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 200);
  EXPECT_EQ(iface->valueInterface()->minimumValue().toInt(), 0);
}

TEST_F(AccessibleControlsTest, messageBox_readsAsAnAlertWithItsText) {
  CMsgBoxDlg box(QStringLiteral("The day could not be saved."), CMsgBoxDlg::kNotice, 6);
  box.EnsureInitialized();
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&box);
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::AlertMessage);
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Message"));
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("The day could not be saved."));
  ASSERT_TRUE(box.CloseButton());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(box.CloseButton())->text(QAccessible::Name), QStringLiteral("Close"));
}

}  // namespace
}  // namespace orlane
