#include "app/window_place.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
// A 1280 x 800 screen with a 25-pixel task bar at the bottom, the main window
// at its smallest, and the desk widget at its first place: 351 x 230, its
// right edge 20 pixels in, its top 20 pixels down.
const QRect kArea(0, 0, 1280, 775);
const QSize kWindow(730, 500);
const QRect kWidget(1280 - 20 - 351, 20, 351, 230);
}  // namespace

TEST(WindowPlace, titleButtonsOfTheFrame) {
  EXPECT_EQ(TitleButtonsRect(730), QRect(643, 6, 81, 18));
}

TEST(WindowPlace, centredUnlessTheButtonsWouldSitUnderTheWidget) {
  // Centred, the buttons (918-998, 143-160) would be under the widget (909-1259, 20-249).
  const QPoint centred = kArea.center() - QPoint(365, 250);
  ASSERT_TRUE(TitleButtonsRect(730).translated(centred).intersects(kWidget));
  const QPoint at = MainWindowStartPos(kArea, kWindow, std::nullopt, kWidget);
  EXPECT_FALSE(TitleButtonsRect(730).translated(at).intersects(kWidget));
  EXPECT_TRUE(kArea.contains(QRect(at, kWindow)));
  EXPECT_EQ(at, QPoint(909 - 8 - 730, centred.y()));
  // Without a widget in the way the window is centred.
  EXPECT_EQ(MainWindowStartPos(kArea, kWindow, std::nullopt, QRect()), centred);
  EXPECT_EQ(MainWindowStartPos(QRect(0, 0, 1280, 1024), kWindow, std::nullopt, kWidget),
            QRect(0, 0, 1280, 1024).center() - QPoint(365, 250));
}

TEST(WindowPlace, aNarrowScreenPutsTheWindowUnderTheWidget) {
  const QRect narrow(0, 0, 1024, 900);
  const QRect widget(1024 - 20 - 351, 20, 351, 230);
  const QPoint at = MainWindowStartPos(narrow, kWindow, std::nullopt, widget);
  EXPECT_FALSE(TitleButtonsRect(730).translated(at).intersects(widget));
  EXPECT_EQ(at.y(), 20 + 230 + 8);
}

TEST(WindowPlace, theRememberedPlaceWinsWhileItsTitleCanBeReached) {
  EXPECT_EQ(MainWindowStartPos(kArea, kWindow, QPoint(40, 60), kWidget), QPoint(40, 60));
  EXPECT_EQ(MainWindowStartPos(kArea, kWindow, QPoint(-700, 10), kWidget), QPoint(-700, 10));
  // A place on a screen that is gone: as if none was remembered.
  EXPECT_EQ(MainWindowStartPos(kArea, kWindow, QPoint(3000, 10), kWidget),
            MainWindowStartPos(kArea, kWindow, std::nullopt, kWidget));
}
