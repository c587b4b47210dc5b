// The diary's font sizes: the size combo's "10" stands for 195 twips (9.75
// points), every other number n for n x 20 twips; a size of 195 twips shows
// as "10" again. Character formats keep points, RTF keeps half points.
#pragma once

namespace orlane {

int ComboSizeToTwips(int comboSize);
// The number the size combo shows for a height in twips (rounded down).
int TwipsToComboSize(int twips);

inline double TwipsToPoints(int twips) {
  return twips / 20.0;
}
int PointsToTwips(double points);

}  // namespace orlane
