#include "calendar/clock_renderer.h"

#include "controls/gdi_painter.h"

#include <QPainter>
#include <QPolygon>

namespace orlane {

namespace {

void PaintHand(QPainter& painter, const ClockGeometry& g, const HandPolygon& hand, ColorRef fill, ColorRef outline) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(ToQColor(outline));
  pen.setWidth(0);
  painter.setPen(pen);
  painter.setBrush(ToQColor(fill));
  QPolygon polygon;
  for (const ClockPoint& p : hand) polygon << QPoint(p.x, p.y);
  painter.drawPolygon(polygon);
  const ClockBox hub = g.Hub();
  painter.drawEllipse(QRect(hub.left, hub.top, hub.right - hub.left - 1, hub.bottom - hub.top - 1));
}

}  // namespace

void PaintHourHand(QPainter& painter, const ClockGeometry& g, int hour, int minute, ColorRef fill, ColorRef outline) {
  PaintHand(painter, g, g.HourHand(hour, minute), fill, outline);
}

void PaintMinuteHand(QPainter& painter, const ClockGeometry& g, int minute, ColorRef fill, ColorRef outline) {
  PaintHand(painter, g, g.MinuteHand(minute), fill, outline);
}

void PaintDial(QPainter& painter, const ClockGeometry& g, const ClockColors& colors, const ClockOptions& options) {
  if (!options.drawDial) return;
  GdiPainter gdi(painter);
  for (int p = 0; p < 60; ++p) {
    const ClockBox b = g.TickBox(p);
    const GdiRect r{b.left, b.top, b.right, b.bottom};
    if (p % 5 == 0) {
      gdi.Rectangle(r, MakeColorRef(0, 0, 0), colors.dial);
      if (options.framedHourTicks) gdi.Draw3dRect(r, colors.lightEdge, colors.handFill);
    } else if (options.minuteDots) {
      gdi.Draw3dRect(r, colors.lightEdge, colors.handFill);
    }
  }
}

void InvertSecondHand(QImage& image, const ClockGeometry& g, int second) {
  QPainter painter(&image);
  GdiPainter gdi(painter);
  const ClockPoint tip = g.SecondTip(second);
  gdi.SetNotMergePen(true);
  gdi.Line(g.centerX, g.centerY, tip.x, tip.y, MakeColorRef(0, 0, 0));
  gdi.SetNotMergePen(false);
}

void PaintClockFace(QImage& image, const ClockGeometry& g, const ClockColors& colors, const ClockOptions& options,
                    const ClockTime& t) {
  {
    QPainter painter(&image);
    painter.fillRect(image.rect(), ToQColor(colors.background));
    PaintDial(painter, g, colors, options);
    if (options.showHourHand) PaintHourHand(painter, g, t.hour, t.minute, colors.handFill, colors.handOutline);
    if (options.showMinuteHand) PaintMinuteHand(painter, g, t.minute, colors.handFill, colors.handOutline);
  }
  if (options.showSecondHand) InvertSecondHand(image, g, t.second);
}

}  // namespace orlane
