#include "controls/mac_button_look.h"

#include <QIcon>
#include <QPainter>

namespace orlane {

ButtonColors ButtonColors::ForTheme(int theme) {
  ButtonColors c;
  for (int i = 0; i < kThemeColorCount; ++i) c.theme[static_cast<size_t>(i)] = ThemeColor(theme, i);
  c.faceMinus5 = FaceMinus5(theme);
  c.shadowMinus60 = ShadowMinus60(theme);
  return c;
}

QSize EffectiveCornerEllipse(const GdiRect& rect, int ellipseW, int ellipseH) {
  if (rect.width() < 30) return QSize(0, 0);
  return QSize(ellipseW, ellipseH);
}

GdiRect ButtonTextRect(const ButtonLook& look, unsigned* flags) {
  GdiRect r = look.rect;
  unsigned f = kDtSingleLine | kDtVCenter | kDtEndEllipsis;
  if (look.icon.isNull()) {
    f |= kDtCenter;
  } else if (look.iconAbove) {
    r.top += look.iconSize + 3;
    f |= kDtCenter;
  } else {
    r.left += look.iconSize + 8;
  }
  r.left += 1;
  r.right -= 1;
  if (flags) *flags = f;
  return r;
}

namespace {

struct Geometry {
  int L, T, Rt, B, ew, eh;
  bool rounded() const { return ew > 4; }
};

void DrawIcon(QPainter& painter, const ButtonLook& look, int x, int y) {
  if (look.icon.isNull()) return;
  const QRect target(x, y, look.iconSize, look.iconSize);
  if (look.enabled) {
    painter.drawPixmap(target, look.icon);
  } else {
    const QIcon icon(look.icon);
    painter.drawPixmap(target, icon.pixmap(look.icon.size(), QIcon::Disabled));
  }
}

void IconPlace(const ButtonLook& look, const Geometry& g, int leftX, int aboveY, int* x, int* y) {
  if (look.iconAbove) {
    *x = g.L + (g.Rt - g.L - look.iconSize) / 2;
    *y = aboveY;
  } else {
    *x = leftX;
    *y = g.T + (g.B - g.T - look.iconSize) / 2;
  }
}

void FlatBackground(GdiPainter& gdi, const ButtonLook& look, const ButtonColors& c, const Geometry& g) {
  const ColorRef brush = look.selected ? c[kThemeShadow] : (look.accent ? c[kThemeAccent] : c[kThemeLightFace]);
  if (!look.accent) gdi.FillRect(look.rect, c[kThemeLightFace]);
  const ColorRef pen = look.accent ? c[kThemeAccent] : c.shadowMinus60;
  gdi.RoundRect({g.L, g.T, g.Rt, look.tabStyle ? g.B + 10 : g.B}, g.ew, g.eh, pen, brush);
  if (!look.accent && !look.selected)
    gdi.RoundRect({g.L + 1, g.T + 1, g.Rt - 1, g.B - 2}, g.ew, g.eh, c.faceMinus5, c[kThemeFace]);
  int x = 0;
  int y = 0;
  IconPlace(look, g, look.accent ? g.L + 3 : g.L + 4, g.T + 5, &x, &y);
  DrawIcon(gdi.painter(), look, x, y);
}

// The eight pixels that round the outline at the four corners.
void CornerPixels(GdiPainter& gdi, const Geometry& g, ColorRef color) {
  const int L = g.L, T = g.T, Rt = g.Rt, B = g.B;
  for (const QPoint& p : {QPoint(L, T + 2), QPoint(L + 2, T), QPoint(Rt - 3, T), QPoint(Rt - 1, T + 2),
                          QPoint(Rt - 1, B - 3), QPoint(Rt - 3, B - 1), QPoint(L + 2, B - 1), QPoint(L, B - 3)})
    gdi.SetPixel(p.x(), p.y(), color);
}

void PressedBevel(GdiPainter& gdi, const ButtonColors& c, const Geometry& g) {
  const int L = g.L, T = g.T, Rt = g.Rt, B = g.B;
  if (g.rounded()) gdi.Polyline({{L + 1, B - 4}, {L + 1, T + 2}}, c.shadowMinus60);
  gdi.Polyline({{L + 2, B - 4}, {L + 2, T + 2}, {Rt - 3, T + 2}}, c[kThemeShadow]);
  gdi.Polyline({{L + 3, B - 2}, {Rt - 4, B - 2}, {Rt - 2, B - 4}, {Rt - 2, T + 2}}, c[kThemeFace]);
  gdi.Polyline({{L + 3, B - 3}, {Rt - 4, B - 3}, {Rt - 4, B - 4}, {Rt - 3, B - 4}, {Rt - 3, T + 2}},
               c[kThemeLightFace]);
  if (g.rounded()) {
    gdi.SetPixel(Rt - 2, T + 2, c[kThemeLightFace]);
    gdi.SetPixel(L + 2, B - 2, c[kThemeLightFace]);
    gdi.SetPixel(Rt - 3, T + 1, c[kThemeShadow]);
    gdi.SetPixel(L + 1, B - 3, c[kThemeShadow]);
  }
}

void NormalBevel(GdiPainter& gdi, const ButtonColors& c, const Geometry& g) {
  const int L = g.L, T = g.T, Rt = g.Rt, B = g.B;
  gdi.Polyline({{L + 2, B - 4}, {L + 2, T + 2}, {Rt - 3, T + 2}}, c[kThemeHighlight]);
  gdi.SetPixel(L + 3, T + 3, c[kThemeHighlight]);
  gdi.Polyline({{L + 3, B - 3}, {Rt - 3, B - 3}, {Rt - 3, T + 2}}, c.faceMinus5);
  gdi.Polyline({{L + 3, B - 2}, {Rt - 2, B - 2}, {Rt - 2, T + 2}}, c[kThemeShadow]);
  if (g.rounded()) {
    CornerPixels(gdi, g, c.shadowMinus60);
    for (const QPoint& p : {QPoint(L + 1, T + 2), QPoint(L + 2, T + 1), QPoint(Rt - 3, T + 1), QPoint(Rt - 2, T + 2),
                            QPoint(L + 2, B - 2), QPoint(L + 1, B - 3)})
      gdi.SetPixel(p.x(), p.y(), c.faceMinus5);
  }
}

void BevelledBackground(GdiPainter& gdi, const ButtonLook& look, const ButtonColors& c, const Geometry& g) {
  gdi.RoundRect(look.rect, g.ew, g.eh, c[kThemeOutline], look.selected ? c.faceMinus5 : c[kThemeFace]);
  if (look.selected)
    PressedBevel(gdi, c, g);
  else
    NormalBevel(gdi, c, g);
  if (g.rounded()) CornerPixels(gdi, g, c[kThemeOutline]);
  int x = 0;
  int y = 0;
  IconPlace(look, g, g.L + 4, g.T + 7, &x, &y);
  DrawIcon(gdi.painter(), look, x, y);
}

}  // namespace

void PaintMacButton(QPainter& painter, const ButtonLook& look, const ButtonColors& c, const QFont& font) {
  const QSize ellipse = EffectiveCornerEllipse(look.rect, look.ellipseW, look.ellipseH);
  const Geometry g{look.rect.left, look.rect.top, look.rect.right, look.rect.bottom, ellipse.width(), ellipse.height()};
  GdiPainter gdi(painter);
  if (look.paintBackground) {
    if (look.flat)
      FlatBackground(gdi, look, c, g);
    else
      BevelledBackground(gdi, look, c, g);
  }

  ColorRef textColor = MakeColorRef(0, 0, 0);
  if (look.selected) textColor = look.flat ? c[kThemePressedText] : c[kThemeOutline];

  const GdiRect ringRect{g.L + 1, g.T + 1, g.Rt - 1, look.tabStyle ? g.B + 9 : g.B - 1};
  if (look.state == 1 || (look.state == 2 && !look.flat)) {
    gdi.RoundRect(ringRect, g.ew, g.eh, c[kThemeHoverRing], std::nullopt);
  } else {
    ColorRef border = look.accent ? c[kThemeLightFace] : c[kThemeFace];
    if (!look.flat) border = c[kThemeShadow];
    gdi.RoundRect(ringRect, g.ew, g.eh, border, std::nullopt);
  }

  if (look.text.isEmpty()) return;
  painter.setFont(font);
  unsigned flags = 0;
  const GdiRect textRect = ButtonTextRect(look, &flags);
  if (look.enabled)
    gdi.Text(textRect, look.text, flags, textColor);
  else
    gdi.DisabledText(textRect, look.text, flags & ~kDtEndEllipsis);
}

}  // namespace orlane
