#include "controls/color_theme.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(ColorTheme, derivedColoursOfTheme3) {
  EXPECT_EQ(ShadowMinus60(3), MakeColorRef(190, 110, 20));
  EXPECT_EQ(FaceMinus5(3), MakeColorRef(235, 227, 207));
  EXPECT_EQ(ThemeColor(3, kThemeHoverRing), MakeColorRef(200, 255, 100));
}

TEST(ColorTheme, mixRoundsTowardMinusInfinity) {
  EXPECT_EQ(MixColors(MakeColorRef(10, 11, 0), MakeColorRef(20, 0, 255)), MakeColorRef(15, 5, 127));
  // 11 + (0 - 11) / 2 with an arithmetic shift is 11 - 6 = 5, not 11 - 5.
  EXPECT_EQ(GreenOf(MixColors(MakeColorRef(0, 11, 0), MakeColorRef(0, 0, 0))), 5);
  EXPECT_EQ(RedOf(MixColors(MakeColorRef(3, 0, 0), MakeColorRef(0, 0, 0))), 1);
}

TEST(ColorTheme, copyThemeAppendsNineColoursAndIndexesClamp) {
  std::vector<ColorRef> colors{1};
  CopyTheme(9, colors);
  ASSERT_EQ(colors.size(), 10u);
  EXPECT_EQ(colors[1], MakeColorRef(255, 255, 255));
  EXPECT_EQ(colors[9], MakeColorRef(28, 42, 35));
  EXPECT_EQ(ThemeColor(42, 0), ThemeColor(9, 0));
  EXPECT_STREQ(ThemeName(9), "Dark Green");
  EXPECT_STREQ(ThemeName(6), "Blue");
}
