#include "controls/mac_button.h"
#include "controls/mac_button_look.h"
#include "widget_probe.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QToolTip>

using namespace orlane;
using namespace orlane::test;

namespace {
const ButtonColors kTheme3 = ButtonColors::ForTheme(3);

QImage PaintLook(const ButtonLook& look) {
  QImage image = Canvas(look.rect.width(), look.rect.height());
  QPainter painter(&image);
  PaintMacButton(painter, look, kTheme3, QFont());
  return image;
}
}  // namespace

TEST(MacButtonPaint, hotButtonShowsColour6RingAndLeavingRestoresBorder) {
  CMacButton button(QStringLiteral("Hot"), 1001, nullptr);
  button.resize(80, 24);
  button.SetTheme(3);
  Hover(button, QPoint(40, 12));
  ASSERT_EQ(button.GetVisualState(), CMacButton::kHot);
  QImage image = Render(button);
  EXPECT_EQ(Pixel(image, 1, 12), kTheme3[kThemeHoverRing]);
  EXPECT_EQ(Pixel(image, 40, 1), kTheme3[kThemeHoverRing]);
  EXPECT_EQ(Pixel(image, 78, 12), kTheme3[kThemeHoverRing]);
  EXPECT_EQ(Pixel(image, 0, 12), kTheme3[kThemeOutline]);

  Leave(button);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
  image = Render(button);
  // A bevelled button's border is colour 3 instead of the ring.
  EXPECT_EQ(Pixel(image, 1, 12), kTheme3[kThemeShadow]);
  EXPECT_EQ(Pixel(image, 40, 1), kTheme3[kThemeShadow]);
}

TEST(MacButtonPaint, pressedBevelledButtonHasInsetLinesDarkTopLeftLightBottomRight) {
  ButtonLook look;
  look.rect = {0, 0, 60, 24};
  look.state = 2;
  look.selected = true;
  const QImage image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 30, 12), kTheme3.faceMinus5);        // pushed-in face
  EXPECT_EQ(Pixel(image, 0, 12), kTheme3[kThemeOutline]);     // outline
  EXPECT_EQ(Pixel(image, 1, 12), kTheme3[kThemeHoverRing]);   // ring of a pressed bevelled button
  EXPECT_EQ(Pixel(image, 2, 12), kTheme3[kThemeShadow]);      // dark inset at the left
  EXPECT_EQ(Pixel(image, 30, 2), kTheme3[kThemeShadow]);      // and at the top
  EXPECT_EQ(Pixel(image, 57, 12), kTheme3[kThemeLightFace]);  // light inset at the right
  EXPECT_EQ(Pixel(image, 30, 21), kTheme3[kThemeLightFace]);  // and at the bottom
}

TEST(MacButtonPaint, normalBevelledButtonHasHighlightAndTwoShadows) {
  ButtonLook look;
  look.rect = {0, 0, 60, 24};
  const QImage image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 30, 12), kTheme3[kThemeFace]);
  EXPECT_EQ(Pixel(image, 2, 12), kTheme3[kThemeHighlight]);
  EXPECT_EQ(Pixel(image, 30, 2), kTheme3[kThemeHighlight]);
  EXPECT_EQ(Pixel(image, 3, 3), kTheme3[kThemeHighlight]);
  EXPECT_EQ(Pixel(image, 30, 21), kTheme3.faceMinus5);
  EXPECT_EQ(Pixel(image, 57, 12), kTheme3.faceMinus5);
}

TEST(MacButtonPaint, narrowButtonIsSquareAndWideOneRounded) {
  ButtonLook look;
  look.rect = {0, 0, 24, 24};
  QImage image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 0, 0), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 23, 23), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 0, 2), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 2, 2), kTheme3[kThemeHighlight]);  // no corner pixels drawn over the bevel
  EXPECT_EQ(Pixel(image, 1, 1), kTheme3[kThemeShadow]);     // the border ring reaches the corner

  look.rect = {0, 0, 60, 24};
  image = PaintLook(look);
  const ColorRef unpainted = MakeColorRef(255, 0, 255);
  EXPECT_EQ(Pixel(image, 0, 0), unpainted);
  EXPECT_EQ(Pixel(image, 1, 0), unpainted);
  EXPECT_EQ(Pixel(image, 0, 1), unpainted);
  EXPECT_EQ(Pixel(image, 59, 23), unpainted);
  EXPECT_EQ(Pixel(image, 1, 1), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 2, 0), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 0, 2), kTheme3[kThemeOutline]);
  EXPECT_EQ(Pixel(image, 57, 23), kTheme3[kThemeOutline]);
}

TEST(MacButtonPaint, flatButtonsFaceBorderAndPressedFill) {
  ButtonLook look;
  look.rect = {0, 0, 60, 24};
  look.flat = true;
  QImage image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 0, 0), kTheme3[kThemeLightFace]);  // corners cleared to colour 1
  EXPECT_EQ(Pixel(image, 0, 12), kTheme3.shadowMinus60);
  EXPECT_EQ(Pixel(image, 1, 12), kTheme3[kThemeFace]);  // border in colour 2 over the inner outline
  EXPECT_EQ(Pixel(image, 30, 12), kTheme3[kThemeFace]);

  look.selected = true;
  look.state = 2;
  image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 30, 12), kTheme3[kThemeShadow]);

  look = ButtonLook{};
  look.rect = {0, 0, 18, 18};
  look.flat = true;
  look.accent = true;
  image = PaintLook(look);
  EXPECT_EQ(Pixel(image, 9, 9), kTheme3[kThemeAccent]);
  EXPECT_EQ(Pixel(image, 0, 0), kTheme3[kThemeAccent]);
}

TEST(MacButtonPaint, tabStyleLeavesTheBottomOpen) {
  ButtonLook look;
  look.rect = {0, 0, 83, 22};
  look.flat = true;
  look.tabStyle = true;
  const QImage image = PaintLook(look);
  // The shape runs 10 pixels below the control: no outline on the last row.
  EXPECT_EQ(Pixel(image, 40, 21), kTheme3[kThemeLightFace]);
  EXPECT_EQ(Pixel(image, 0, 21), kTheme3.shadowMinus60);
  EXPECT_EQ(Pixel(image, 40, 0), kTheme3.shadowMinus60);
}

TEST(MacButtonPaint, textRectsFollowIconPlacement) {
  ButtonLook look;
  look.rect = {0, 0, 70, 40};
  unsigned flags = 0;
  EXPECT_EQ(ButtonTextRect(look, &flags), (GdiRect{1, 0, 69, 40}));
  EXPECT_TRUE(flags & kDtCenter);
  look.icon = QPixmap(16, 16);
  look.iconSize = 16;
  EXPECT_EQ(ButtonTextRect(look, &flags), (GdiRect{25, 0, 69, 40}));
  EXPECT_FALSE(flags & kDtCenter);
  look.iconAbove = true;
  EXPECT_EQ(ButtonTextRect(look, &flags), (GdiRect{1, 19, 69, 40}));
  EXPECT_TRUE(flags & kDtCenter);
}

TEST(MacButtonBehaviour, latchButtonPressedTwiceClicksOnceAndStaysLatched) {
  CMacButton button(QStringLiteral("Latch"), 180, nullptr);
  button.resize(80, 22);
  button.SetToggleMode(CMacButton::kLatchMode);
  QSignalSpy clicks(&button, &CMacButton::commandClicked);
  Click(button, QPoint(10, 10));
  Click(button, QPoint(10, 10));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), 180);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kPressed);
  Leave(button);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kPressed);
}

TEST(MacButtonBehaviour, toggleButtonAlternatesAndKeepsLatchedLookWhenLeft) {
  CMacButton button(QStringLiteral("B"), 107, nullptr);
  button.resize(60, 23);
  button.SetTheme(3);
  button.SetToggleMode(CMacButton::kToggleMode);
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  Click(button, QPoint(5, 5));
  EXPECT_EQ(button.GetVisualState(), CMacButton::kPressed);
  EXPECT_EQ(button.LatchedState(), CMacButton::kPressed);
  Leave(button);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kPressed);
  const QImage image = Render(button);
  EXPECT_EQ(Pixel(image, 8, 12), kTheme3.faceMinus5);  // still drawn pushed in

  Hover(button, QPoint(5, 5));
  Click(button, QPoint(5, 5));
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
  Leave(button);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
  EXPECT_EQ(clicks.count(), 2);
}

TEST(MacButtonBehaviour, pushButtonReturnsToNormalAndDragOutDoesNotClick) {
  CMacButton button(QStringLiteral("OK"), 1, nullptr);
  button.resize(68, 23);
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  SendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_EQ(button.GetVisualState(), CMacButton::kPressed);
  SendMouse(button, QEvent::MouseMove, QPoint(200, 5));
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
  SendMouse(button, QEvent::MouseButtonRelease, QPoint(200, 5));
  EXPECT_EQ(clicks.count(), 0);
  Click(button, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
}

TEST(MacButtonBehaviour, setVisualStateRemembersLatchOnlyWhenToggling) {
  CMacButton button;
  button.SetVisualState(2, true);
  EXPECT_EQ(button.GetVisualState(), 2);
  EXPECT_EQ(button.LatchedState(), 0);
  button.SetToggleMode(CMacButton::kLatchMode);
  button.SetVisualState(0, false);
  button.SetVisualState(2, false);
  EXPECT_EQ(button.LatchedState(), 2);
}

TEST(MacButtonBehaviour, iconsLoadFromResourceNumbersAndUnknownOnesLeaveNone) {
  CMacButton button;
  button.SetIcon16(133);
  EXPECT_TRUE(button.HasIcon());
  EXPECT_EQ(button.IconSize(), 16);
  button.SetIcon32(128);
  EXPECT_EQ(button.IconSize(), 32);
  button.SetIcon16(99999);
  EXPECT_FALSE(button.HasIcon());
  button.SetTooltipText(QStringLiteral("Close"));
  EXPECT_EQ(button.toolTip(), QStringLiteral("Close"));
}

TEST(MacButtonBehaviour, tooltipWaits300MsAndGoesWhenThePointerLeaves) {
  CMacButton button(QStringLiteral("Save"), 1033, nullptr);
  button.resize(70, 24);
  button.SetTooltipText(QStringLiteral("Save All (CTRL+S)"));
  button.show();
  QToolTip::hideText();
  Hover(button, QPoint(10, 10));
  QElapsedTimer clock;
  clock.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  EXPECT_FALSE(QToolTip::isVisible());  // not yet
  while (!QToolTip::isVisible() && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_GE(clock.elapsed(), 250);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Save All (CTRL+S)"));
  QEvent tip(QEvent::ToolTip);
  EXPECT_TRUE(QApplication::sendEvent(&button, &tip));  // the style's own tip is suppressed
  Leave(button);
  EXPECT_EQ(button.GetVisualState(), CMacButton::kNormal);
  QToolTip::hideText();
}
