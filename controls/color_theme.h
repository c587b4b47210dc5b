// The ten constant colour themes of nine colours each, and the colours derived
// from them. Pure data: colours are 0x00BBGGRR values (red in the low byte), as
// the stored files keep them; ToQColor in controls' widget code converts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orlane {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

inline constexpr int kThemeCount = 10;
inline constexpr int kThemeColorCount = 9;
inline constexpr int kDefaultControlTheme = 5;

// Column roles of the controls' painting.
enum ThemeColumn : int {
  kThemeHighlight = 0,
  kThemeLightFace = 1,
  kThemeFace = 2,
  kThemeShadow = 3,
  kThemeOutline = 4,  // and dark text
  kThemeAccent = 5,
  kThemeHoverRing = 6,
  kThemePressedText = 7,
  kThemeBackdrop = 8,
};

constexpr ColorRef MakeColorRef(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// A theme index outside 0..9 is taken as the nearest valid one.
int ClampTheme(int theme);

ColorRef ThemeColor(int theme, int column);
// Appends the theme's nine colours in column order.
void CopyTheme(int theme, std::vector<ColorRef>& colors);

// Colour 1 with 5 subtracted from each channel.
ColorRef FaceMinus5(int theme);
// Colour 3 with 60 subtracted from each channel.
ColorRef ShadowMinus60(int theme);
// Subtracts from each channel; a channel below 0 wraps as an 8-bit value does.
ColorRef SubtractFromChannels(ColorRef c, int amount);
// Each channel a + (b - a) / 2 with the division rounding toward minus infinity.
ColorRef MixColors(ColorRef a, ColorRef b);

// Names of the themes as the theme menu lists them.
const char* ThemeName(int theme);

}  // namespace orlane
