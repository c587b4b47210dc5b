// CBarCtrl: a plain progress bar: the filled part from the left edge in one
// colour, optionally inside a sunken edge. Positions outside its range are
// refused.
#pragma once

#include "controls/color_theme.h"

#include <QWidget>

namespace orlane {

// How many pixels of a bar of `width` the position fills (range min..max).
int BarFillWidth(int position, int minimum, int maximum, int width);

class CBarCtrl : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 0xFFFF;

  CBarCtrl(const QRect& rect, QWidget* parent);
  Q_DISABLE_COPY_MOVE(CBarCtrl)

  // Ignored unless minimum < maximum.
  void SetRange(int minimum, int maximum);
  // 1, or 0 (nothing changed) when the value lies outside the range.
  int SetPos(int value);
  void SetColor(ColorRef color);
  void SetEdge(bool on);

  int Pos() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorRef color_ = MakeColorRef(0, 0, 100);
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool edge_ = false;
};

}  // namespace orlane
