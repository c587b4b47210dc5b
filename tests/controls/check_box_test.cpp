#include "controls/mac_check_box.h"
#include "widget_probe.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

using namespace orlane;
using namespace orlane::test;

namespace {
// Box interior top-left of a 120 × 20 check box: the box is at (0, 4).
constexpr int kX = 1;
constexpr int kY = 5;
}  // namespace

TEST(MacCheckBoxPaint, checkedBoxShowsTickInColour4AndRingAround) {
  CMacCheckBox box(QStringLiteral("Active"), 1034, nullptr);
  box.resize(120, 20);
  box.SetTheme(3);
  box.SetChecked(true);
  const CheckBoxColors c = CheckBoxColors::ForTheme(3);
  const QImage image = Render(box);
  EXPECT_EQ(Pixel(image, 0, 4), c.outline);  // ring
  EXPECT_EQ(Pixel(image, 11, 15), c.outline);
  EXPECT_EQ(Pixel(image, kX + 1, kY + 4), c.outline);  // first tick stroke
  EXPECT_EQ(Pixel(image, kX + 4, kY + 7), c.outline);
  EXPECT_EQ(Pixel(image, kX + 4, kY + 6), c.outline);  // second stroke
  EXPECT_EQ(Pixel(image, kX + 4, kY + 8), c.shadow);   // softening line
  EXPECT_EQ(Pixel(image, kX + 11, kY + 1), c.shadow);
  EXPECT_EQ(Pixel(image, kX + 12, kY + 1), c.mixLightShadow);
}

TEST(MacCheckBoxPaint, uncheckedBoxHas3dInsideAndNoTick) {
  CMacCheckBox box(QStringLiteral("Beep Only"), 1023, nullptr);
  box.resize(120, 20);
  box.SetTheme(3);
  const CheckBoxColors c = CheckBoxColors::ForTheme(3);
  const QImage image = Render(box);
  EXPECT_EQ(Pixel(image, kX, kY + 3), c.mixLightShadow);                  // top-left side of the 3-D rectangle
  EXPECT_EQ(Pixel(image, kX + 9, kY + 3), c.highlight);                   // bottom-right side
  EXPECT_EQ(Pixel(image, kX + 9, kY), c.lightFace);                       // its top-right pixel
  EXPECT_EQ(Pixel(image, kX + 4, kY + 7), Pixel(image, kX + 5, kY + 5));  // no tick: interior untouched
  EXPECT_EQ(c.mixLightShadow, MixColors(ThemeColor(3, 1), ThemeColor(3, 3)));
}

TEST(MacCheckBoxPaint, disabledBoxRingAndTickInColour3AndLeftTextMovesBox) {
  CMacCheckBox box(QStringLiteral("Repeat Play"), 1039, nullptr);
  box.resize(120, 20);
  box.SetChecked(true);
  box.setEnabled(false);
  const CheckBoxColors c = CheckBoxColors::ForTheme(kDefaultControlTheme);
  QImage image = Render(box);
  EXPECT_EQ(Pixel(image, 0, 4), c.shadow);
  EXPECT_EQ(Pixel(image, kX + 4, kY + 7), c.shadow);

  box.SetLeftText(true);
  EXPECT_EQ(box.BoxRect(), QRect(108, 4, 12, 12));
  image = Render(box);
  EXPECT_EQ(Pixel(image, 108, 4), c.shadow);
}

TEST(MacCheckBoxInput, spaceBarAndMouseReportTheSameCheckState) {
  CMacCheckBox byMouse(QStringLiteral("A"), 7, nullptr);
  CMacCheckBox byKey(QStringLiteral("A"), 7, nullptr);
  for (CMacCheckBox* box : {&byMouse, &byKey}) box->resize(100, 20);
  QSignalSpy mouseClicks(&byMouse, &CMacCheckBox::commandClicked);
  QSignalSpy keyClicks(&byKey, &CMacCheckBox::commandClicked);

  SendMouse(byMouse, QEvent::MouseButtonPress, QPoint(50, 10));
  EXPECT_TRUE(byMouse.Pressed());
  SendMouse(byMouse, QEvent::MouseButtonRelease, QPoint(50, 10));
  Key(byKey, QEvent::KeyPress, Qt::Key_Space);
  EXPECT_TRUE(byKey.Pressed());
  Key(byKey, QEvent::KeyRelease, Qt::Key_Space);

  EXPECT_FALSE(byMouse.Pressed());
  EXPECT_FALSE(byKey.Pressed());
  EXPECT_TRUE(byMouse.Checked());
  EXPECT_EQ(byMouse.Checked(), byKey.Checked());
  ASSERT_EQ(mouseClicks.count(), 1);
  ASSERT_EQ(keyClicks.count(), 1);
  EXPECT_EQ(mouseClicks.at(0).at(0).toInt(), 7);
  EXPECT_EQ(keyClicks.at(0).at(0).toInt(), 7);
}

TEST(MacCheckBoxInput, releaseOutsideDoesNotToggleAndPressedLookSwapsSides) {
  CMacCheckBox box(QStringLiteral("A"), 1, nullptr);
  box.resize(100, 20);
  box.SetTheme(3);
  const CheckBoxColors c = CheckBoxColors::ForTheme(3);
  SendMouse(box, QEvent::MouseButtonPress, QPoint(5, 10));
  const QImage pressed = Render(box);
  EXPECT_EQ(Pixel(pressed, kX, kY + 3), c.highlight);
  EXPECT_EQ(Pixel(pressed, kX + 9, kY + 3), c.mixLightShadow);

  QMouseEvent move(QEvent::MouseMove, QPointF(300, 10), QPointF(box.mapToGlobal(QPoint(300, 10))), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &move);
  EXPECT_FALSE(box.Pressed());
  SendMouse(box, QEvent::MouseButtonRelease, QPoint(300, 10));
  EXPECT_FALSE(box.Checked());
}

TEST(MacRadioButton, themeGivesSevenColoursWithTheTwoMixes) {
  CMacRadioButton radio;
  radio.SetTheme(3);
  EXPECT_EQ(radio.Colors()[0], ThemeColor(3, 0));
  EXPECT_EQ(radio.Colors()[4], ThemeColor(3, 4));
  EXPECT_EQ(radio.Colors()[5], MixColors(ThemeColor(3, 1), ThemeColor(3, 3)));
  EXPECT_EQ(radio.Colors()[6], MixColors(ThemeColor(3, 3), ThemeColor(3, 4)));
}
