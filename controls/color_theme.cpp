#include "controls/color_theme.h"

#include <algorithm>

namespace orlane {

namespace {
using ThemeRow = std::array<ColorRef, kThemeColorCount>;

constexpr std::array<ThemeRow, kThemeCount> kThemes{{
    {MakeColorRef(255, 255, 255), MakeColorRef(229, 229, 227), MakeColorRef(243, 243, 241), MakeColorRef(165, 165, 163),
     MakeColorRef(84, 84, 86), MakeColorRef(119, 120, 121), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(40, 40, 42)},
    {MakeColorRef(255, 255, 255), MakeColorRef(230, 232, 240), MakeColorRef(243, 243, 249), MakeColorRef(196, 206, 227),
     MakeColorRef(118, 119, 146), MakeColorRef(172, 179, 209), MakeColorRef(255, 220, 150), MakeColorRef(60, 63, 92),
     MakeColorRef(189, 199, 229)},
    {MakeColorRef(255, 255, 255), MakeColorRef(226, 242, 230), MakeColorRef(245, 253, 245), MakeColorRef(146, 205, 146),
     MakeColorRef(8, 103, 8), MakeColorRef(67, 162, 67), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(28, 42, 35)},
    {MakeColorRef(255, 255, 255), MakeColorRef(240, 232, 212), MakeColorRef(255, 246, 246), MakeColorRef(250, 170, 80),
     MakeColorRef(128, 69, 60), MakeColorRef(240, 146, 53), MakeColorRef(200, 255, 100), MakeColorRef(50, 10, 0),
     MakeColorRef(250, 187, 93)},
    {MakeColorRef(255, 255, 255), MakeColorRef(223, 225, 238), MakeColorRef(239, 239, 252), MakeColorRef(153, 153, 211),
     MakeColorRef(75, 75, 138), MakeColorRef(121, 121, 180), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(37, 41, 64)},
    {MakeColorRef(255, 255, 255), MakeColorRef(224, 223, 227), MakeColorRef(243, 241, 239), MakeColorRef(187, 189, 199),
     MakeColorRef(95, 96, 99), MakeColorRef(177, 179, 200), MakeColorRef(250, 200, 100), MakeColorRef(0, 0, 0),
     MakeColorRef(187, 189, 200)},
    {MakeColorRef(255, 255, 255), MakeColorRef(223, 225, 235), MakeColorRef(238, 238, 250), MakeColorRef(150, 170, 235),
     MakeColorRef(60, 85, 140), MakeColorRef(128, 151, 215), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(18, 31, 51)},
    {MakeColorRef(255, 255, 255), MakeColorRef(236, 233, 216), MakeColorRef(250, 246, 246), MakeColorRef(180, 193, 140),
     MakeColorRef(96, 99, 95), MakeColorRef(170, 184, 131), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(18, 51, 31)},
    {MakeColorRef(255, 255, 255), MakeColorRef(219, 220, 230), MakeColorRef(233, 233, 243), MakeColorRef(151, 180, 193),
     MakeColorRef(49, 58, 68), MakeColorRef(41, 105, 136), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(17, 41, 64)},
    {MakeColorRef(255, 255, 255), MakeColorRef(219, 230, 220), MakeColorRef(235, 240, 233), MakeColorRef(165, 188, 166),
     MakeColorRef(40, 59, 49), MakeColorRef(84, 116, 96), MakeColorRef(250, 200, 100), MakeColorRef(255, 255, 255),
     MakeColorRef(28, 42, 35)},
}};

constexpr std::array<const char*, kThemeCount> kThemeNames{"Black",  "Sky",  "Lime",  "Orange",    "Licorice",
                                                           "Silver", "Blue", "Green", "Dark Blue", "Dark Green"};
}  // namespace

int ClampTheme(int theme) {
  return std::clamp(theme, 0, kThemeCount - 1);
}

ColorRef ThemeColor(int theme, int column) {
  return kThemes[static_cast<size_t>(ClampTheme(theme))]
                [static_cast<size_t>(std::clamp(column, 0, kThemeColorCount - 1))];
}

void CopyTheme(int theme, std::vector<ColorRef>& colors) {
  const ThemeRow& row = kThemes[static_cast<size_t>(ClampTheme(theme))];
  colors.insert(colors.end(), row.begin(), row.end());
}

ColorRef SubtractFromChannels(ColorRef c, int amount) {
  return MakeColorRef(RedOf(c) - amount, GreenOf(c) - amount, BlueOf(c) - amount);
}

ColorRef FaceMinus5(int theme) {
  return SubtractFromChannels(ThemeColor(theme, kThemeLightFace), 5);
}

ColorRef ShadowMinus60(int theme) {
  return SubtractFromChannels(ThemeColor(theme, kThemeShadow), 60);
}

ColorRef MixColors(ColorRef a, ColorRef b) {
  // >> on a negative int is an arithmetic shift in C++20: rounds toward minus infinity.
  auto mix = [](int x, int y) { return x + ((y - x) >> 1); };
  return MakeColorRef(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

const char* ThemeName(int theme) {
  return kThemeNames[static_cast<size_t>(ClampTheme(theme))];
}

}  // namespace orlane
