#include "controls/gdi_painter.h"

#include "controls/gdi_line.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orlane {

QColor ToQColor(ColorRef c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

ColorRef FromQColor(const QColor& c) {
  return MakeColorRef(c.red(), c.green(), c.blue());
}

QString StripPrefix(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size())
      ++i;
    else if (text[i] == QLatin1Char('&'))
      continue;
    out += text[i];
  }
  return out;
}

namespace {
int ToQtFlags(unsigned flags) {
  int qt = 0;
  if (flags & kDtCenter)
    qt |= Qt::AlignHCenter;
  else if (flags & kDtRight)
    qt |= Qt::AlignRight;
  else
    qt |= Qt::AlignLeft;
  qt |= (flags & kDtVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
  if (flags & kDtSingleLine) qt |= Qt::TextSingleLine;
  if (flags & kDtWordBreak) qt |= Qt::TextWordWrap;
  if (!(flags & kDtNoPrefix)) qt |= Qt::TextShowMnemonic;
  return qt;
}
}  // namespace

QSize MeasureGdiText(const QFont& font, const QString& text, unsigned flags, int wrapWidth) {
  // Fractional advances rounded up, so that the text laid out again in a
  // rectangle of the measured width never wraps or clips.
  const QFontMetricsF fm(font);
  const int lineHeight = static_cast<int>(std::ceil(fm.height()));
  const QString shown = (flags & kDtNoPrefix) ? text : StripPrefix(text);
  if (!(flags & kDtWordBreak)) return QSize(static_cast<int>(std::ceil(fm.horizontalAdvance(shown))), lineHeight);
  const QRectF bound = fm.boundingRect(QRectF(0, 0, std::max(1, wrapWidth), 1 << 20),
                                       ToQtFlags(flags & ~(kDtCenter | kDtRight | kDtVCenter | kDtSingleLine)), text);
  return QSize(static_cast<int>(std::ceil(bound.width())),
               std::max(static_cast<int>(std::ceil(bound.height())), lineHeight));
}

GdiPainter::GdiPainter(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void GdiPainter::SetPixel(int x, int y, ColorRef c) {
  painter_.fillRect(QRect(x, y, 1, 1), ToQColor(c));
}

void GdiPainter::FillRect(const GdiRect& r, ColorRef c) {
  if (r.isEmpty()) return;
  painter_.fillRect(r.toQRect(), ToQColor(c));
}

void GdiPainter::FrameRect(const GdiRect& r, ColorRef c) {
  if (r.isEmpty()) return;
  FillRect({r.left, r.top, r.right, r.top + 1}, c);
  FillRect({r.left, r.bottom - 1, r.right, r.bottom}, c);
  FillRect({r.left, r.top, r.left + 1, r.bottom}, c);
  FillRect({r.right - 1, r.top, r.right, r.bottom}, c);
}

void GdiPainter::Draw3dRect(const GdiRect& r, ColorRef topLeft, ColorRef bottomRight) {
  const int cx = r.width();
  const int cy = r.height();
  if (cx <= 0 || cy <= 0) return;
  FillRect({r.left, r.top, r.left + cx - 1, r.top + 1}, topLeft);
  FillRect({r.left, r.top, r.left + 1, r.top + cy - 1}, topLeft);
  FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void GdiPainter::Line(int x1, int y1, int x2, int y2, ColorRef c) {
  ForEachGdiLinePixel(x1, y1, x2, y2, [&](int x, int y) { SetPixel(x, y, c); });
}

void GdiPainter::Polyline(std::initializer_list<QPoint> points, ColorRef c) {
  const QPoint* prev = nullptr;
  for (const QPoint& p : points) {
    if (prev) Line(prev->x(), prev->y(), p.x(), p.y(), c);
    prev = &p;
  }
}

void GdiPainter::Rectangle(const GdiRect& r, std::optional<ColorRef> pen, std::optional<ColorRef> brush) {
  RoundRect(r, 0, 0, pen, brush);
}

namespace {
// How far row dy (0 = outermost row) of a corner is cut in, for the corner
// ellipse of a RoundRect.
int CornerInset(int dy, int ellipseW, int ellipseH) {
  if (ellipseW < 2 || ellipseH < 2) return 0;
  const double rx = ellipseW / 2.0;
  const double ry = ellipseH / 2.0;
  const double yy = (ry - dy - 0.5) / ry;
  if (yy <= 0) return 0;
  const double x = rx * std::sqrt(1.0 - yy * yy);
  return std::max(0, static_cast<int>(std::ceil(rx - x - 0.25)));
}
}  // namespace

RoundRectSpans RoundRectRows(const GdiRect& r, int ellipseW, int ellipseH) {
  RoundRectSpans spans;
  if (r.isEmpty()) return spans;
  ellipseW = std::min(ellipseW, r.width());
  ellipseH = std::min(ellipseH, r.height());
  const int cornerRows = ellipseH / 2;
  auto insetOf = [&](int d) {
    if (d >= cornerRows) return 0;
    return std::min(CornerInset(d, ellipseW, ellipseH), (r.width() - 1) / 2);
  };
  // Rows with the same span are one rectangle: a plain rectangle is three.
  auto add = [](std::vector<QRect>& rects, int x1, int x2, int y) {
    if (x2 < x1) return;
    for (auto it = rects.rbegin(); it != rects.rend() && it->bottom() == y - 1; ++it) {
      if (it->left() == x1 && it->right() == x2) {
        it->setBottom(y);
        return;
      }
    }
    rects.emplace_back(QPoint(x1, y), QPoint(x2, y));
  };
  for (int y = r.top; y < r.bottom; ++y) {
    const int d = std::min(y - r.top, r.bottom - 1 - y);
    const int inset = insetOf(d);
    const int x1 = r.left + inset;
    const int x2 = r.right - 1 - inset;
    add(spans.inside, x1, x2, y);
    if (d == 0) {
      add(spans.outline, x1, x2, y);
      continue;
    }
    // Joins this row's edge to the outer row's so the outline stays connected.
    const int reach = std::max(inset, insetOf(d - 1) - 1);
    add(spans.outline, x1, r.left + reach, y);
    add(spans.outline, r.right - 1 - reach, x2, y);
  }
  return spans;
}

QRegion RoundRectRegion(int width, int height, int ellipseW, int ellipseH) {
  QRegion region;
  for (const QRect& rect : RoundRectRows({0, 0, width + 1, height + 1}, ellipseW, ellipseH).inside)
    region += rect.intersected(QRect(0, 0, width, height));
  return region;
}

void GdiPainter::RoundRect(const GdiRect& r, int ellipseW, int ellipseH, std::optional<ColorRef> pen,
                           std::optional<ColorRef> brush) {
  // Spans of one row never overlap another row's, so the outline painted after
  // all the inside covers the same pixels as row by row.
  const RoundRectSpans spans = RoundRectRows(r, ellipseW, ellipseH);
  if (brush)
    for (const QRect& rect : spans.inside) painter_.fillRect(rect, ToQColor(*brush));
  if (pen)
    for (const QRect& rect : spans.outline) painter_.fillRect(rect, ToQColor(*pen));
}

void GdiPainter::SunkenEdge(const GdiRect& r) {
  Draw3dRect(r, syscolor::kBtnShadow, syscolor::kBtnHighlight);
  Draw3dRect(r.inflated(-1, -1), syscolor::kBtnDarkShadow, syscolor::kBtnLight);
}

void GdiPainter::EtchedEdge(const GdiRect& r) {
  Draw3dRect(r, syscolor::kBtnShadow, syscolor::kBtnHighlight);
  Draw3dRect(r.inflated(-1, -1), syscolor::kBtnHighlight, syscolor::kBtnShadow);
}

void GdiPainter::EtchedTop(const GdiRect& r) {
  FillRect({r.left, r.top, r.right, r.top + 1}, syscolor::kBtnShadow);
  FillRect({r.left, r.top + 1, r.right, r.top + 2}, syscolor::kBtnHighlight);
}

void GdiPainter::Text(const GdiRect& r, const QString& text, unsigned flags, ColorRef color) {
  if (r.isEmpty() || text.isEmpty()) return;
  painter_.save();
  painter_.setPen(ToQColor(color));
  const QFontMetrics fm(painter_.font());
  QString shown = text;
  if ((flags & kDtEndEllipsis) && (flags & kDtSingleLine)) {
    const QString plain = (flags & kDtNoPrefix) ? text : StripPrefix(text);
    if (fm.horizontalAdvance(plain) > r.width()) {
      shown = fm.elidedText(plain, Qt::ElideRight, r.width());
      flags |= kDtNoPrefix;
    }
  }
  painter_.drawText(r.toQRect(), ToQtFlags(flags), shown);
  painter_.restore();
}

void GdiPainter::DisabledText(const GdiRect& r, const QString& text, unsigned flags) {
  Text(r.offset(1, 1), text, flags, syscolor::kBtnHighlight);
  Text(r, text, flags, syscolor::kBtnShadow);
}

void GdiPainter::SetNotMergePen(bool on) {
  QPaintEngine* engine = painter_.paintEngine();
  if (!engine || !engine->hasFeature(QPaintEngine::RasterOpModes)) return;
  painter_.setCompositionMode(on ? QPainter::RasterOp_NotSourceAndNotDestination
                                 : QPainter::CompositionMode_SourceOver);
}

}  // namespace orlane
