#include "diary/font_sizes.h"

#include <cmath>

namespace orlane {

namespace {
constexpr int kTenPointTwips = 195;
}

int ComboSizeToTwips(int comboSize) {
  return comboSize == 10 ? kTenPointTwips : comboSize * 20;
}

int TwipsToComboSize(int twips) {
  return twips == kTenPointTwips ? 10 : twips / 20;
}

int PointsToTwips(double points) {
  return static_cast<int>(std::lround(points * 20.0));
}

}  // namespace orlane
