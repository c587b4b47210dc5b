// The stateless renderer of CMacButton: paints one button face from its colour
// set and a description of its look (state, styles, text, icon) into any
// painter, with the GDI pixel rules. The widget owns the state machine; tests
// and other controls paint through this directly.
#pragma once

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"

#include <QFont>
#include <QPixmap>
#include <QString>

#include <array>

class QPainter;

namespace orlane {

// The colours a button paints with: the theme row and the two derived ones.
struct ButtonColors {
  std::array<ColorRef, kThemeColorCount> theme{};
  ColorRef faceMinus5 = 0;
  ColorRef shadowMinus60 = 0;

  ColorRef operator[](int column) const { return theme[static_cast<size_t>(column)]; }
  static ButtonColors ForTheme(int theme);
};

struct ButtonLook {
  GdiRect rect;
  int state = 0;          // 0 normal, 1 hot, 2 pressed or latched
  bool selected = false;  // drawn pushed in
  bool flat = false;
  bool accent = false;
  bool iconAbove = false;
  bool tabStyle = false;
  bool enabled = true;
  bool paintBackground = true;
  int ellipseW = 6;
  int ellipseH = 6;
  QString text;
  QPixmap icon;  // already at its drawn size (16 or 32), or null
  int iconSize = 0;
};

// Corner ellipse actually used: 0 × 0 below 30 pixels of width.
QSize EffectiveCornerEllipse(const GdiRect& rect, int ellipseW, int ellipseH);

// The text rectangle and its DrawText flags for a look (icon left, above, none).
GdiRect ButtonTextRect(const ButtonLook& look, unsigned* flags);

void PaintMacButton(QPainter& painter, const ButtonLook& look, const ButtonColors& colors, const QFont& font);

}  // namespace orlane
