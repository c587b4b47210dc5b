// Draws with the pixel rules of the classic Windows GDI on top of a QPainter, so
// that controls whose look is given pixel by pixel come out exactly: rectangles
// exclude their right and bottom edges, lines exclude their end point, rounded
// rectangles cut their corners by a corner ellipse, 3-D frames are light at the
// top left and dark at the bottom right. Every primitive is plotted as whole
// pixels (no antialiasing), whatever transform the painter carries.
#pragma once

#include "controls/color_theme.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

class QRegion;
class QPainter;

namespace orlane {

// A GDI rectangle: left and top inclusive, right and bottom exclusive.
struct GdiRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool isEmpty() const { return right <= left || bottom <= top; }
  constexpr GdiRect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  constexpr GdiRect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  QRect toQRect() const { return QRect(left, top, width(), height()); }
  static GdiRect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
  friend constexpr bool operator==(const GdiRect&, const GdiRect&) = default;
};

QColor ToQColor(ColorRef c);
ColorRef FromQColor(const QColor& c);

// The system colours the 3-D edges and disabled text use.
namespace syscolor {
inline constexpr ColorRef kBtnHighlight = MakeColorRef(255, 255, 255);
inline constexpr ColorRef kBtnLight = MakeColorRef(227, 227, 227);
inline constexpr ColorRef kBtnShadow = MakeColorRef(160, 160, 160);
inline constexpr ColorRef kBtnDarkShadow = MakeColorRef(105, 105, 105);
inline constexpr ColorRef kGrayText = MakeColorRef(109, 109, 109);
}  // namespace syscolor

// Text layout flags with the meaning of DrawText's flags.
enum GdiTextFlag : unsigned {
  kDtLeft = 0,
  kDtCenter = 1u << 0,
  kDtRight = 1u << 1,
  kDtVCenter = 1u << 2,
  kDtSingleLine = 1u << 3,
  kDtWordBreak = 1u << 4,
  kDtNoPrefix = 1u << 5,
  kDtEndEllipsis = 1u << 6,
};

// Size of a text as DrawText with DT_CALCRECT reports it: single line (width
// unbounded) or, with kDtWordBreak, wrapped at words within wrapWidth.
QSize MeasureGdiText(const QFont& font, const QString& text, unsigned flags, int wrapWidth = 0);

// A text without its '&' prefixes ("&&" stays one '&').
QString StripPrefix(const QString& text);

// The pixels a RoundRect of `r` covers, row spans merged into rectangles:
// the inside (the brush's) and the outline (the pen's, within the inside).
struct RoundRectSpans {
  std::vector<QRect> inside;
  std::vector<QRect> outline;
};
RoundRectSpans RoundRectRows(const GdiRect& r, int ellipseW, int ellipseH);

// A window shape of width × height: the RoundRect (0, 0, width + 1,
// height + 1) with its corners cut by the corner ellipse.
QRegion RoundRectRegion(int width, int height, int ellipseW, int ellipseH);

class GdiPainter final {
 public:
  explicit GdiPainter(QPainter& painter);
  Q_DISABLE_COPY_MOVE(GdiPainter)

  QPainter& painter() { return painter_; }

  void SetPixel(int x, int y, ColorRef c);
  // Fills left..right-1 × top..bottom-1.
  void FillRect(const GdiRect& r, ColorRef c);
  // A one-pixel frame on the rectangle's outermost pixels.
  void FrameRect(const GdiRect& r, ColorRef c);
  // MFC's Draw3dRect: top and left in topLeft, right and bottom in bottomRight.
  void Draw3dRect(const GdiRect& r, ColorRef topLeft, ColorRef bottomRight);

  // A line from (x1, y1) towards (x2, y2); the end point is not drawn.
  void Line(int x1, int y1, int x2, int y2, ColorRef c);
  // Connected segments; only the very last point is left out.
  void Polyline(std::initializer_list<QPoint> points, ColorRef c);

  // GDI Rectangle / RoundRect with a one-pixel (inside-frame) pen and an
  // optional fill; an absent pen or brush draws nothing of that kind. The
  // corner ellipse is ellipseW × ellipseH; 0 × 0 gives square corners.
  void Rectangle(const GdiRect& r, std::optional<ColorRef> pen, std::optional<ColorRef> brush);
  void RoundRect(const GdiRect& r, int ellipseW, int ellipseH, std::optional<ColorRef> pen,
                 std::optional<ColorRef> brush);

  // DrawEdge with BF_RECT: sunken (EDGE_SUNKEN) and etched (EDGE_ETCHED) rings,
  // two pixels wide. EtchedTop draws only the top edge of an etched frame.
  void SunkenEdge(const GdiRect& r);
  void EtchedEdge(const GdiRect& r);
  void EtchedTop(const GdiRect& r);

  // DrawText into r with the flags above in the painter's current font.
  void Text(const GdiRect& r, const QString& text, unsigned flags, ColorRef color);
  // Embossed disabled text (DrawState DSS_DISABLED): a white copy one pixel
  // down-right under the text in the shadow colour.
  void DisabledText(const GdiRect& r, const QString& text, unsigned flags);

  // SetROP2(R2_NOTMERGEPEN): later fills give NOT(destination OR colour).
  // Only image devices support it; elsewhere it is ignored.
  void SetNotMergePen(bool on);

 private:
  QPainter& painter_;
};

}  // namespace orlane
