#include "controls/gdi_painter.h"
#include "widget_probe.h"

#include <gtest/gtest.h>

using namespace orlane;
using namespace orlane::test;

namespace {
constexpr ColorRef kRed = MakeColorRef(255, 0, 0);
constexpr ColorRef kBlue = MakeColorRef(0, 0, 255);
constexpr ColorRef kNone = MakeColorRef(255, 0, 255);

// Rows of the image as text: '#' for `ink`, '.' for anything else.
std::string Rows(const QImage& image, ColorRef ink, int width, int height) {
  std::string out;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) out += Pixel(image, x, y) == ink ? '#' : '.';
    out += '\n';
  }
  return out;
}
}  // namespace

TEST(GdiPainter, rectanglesExcludeRightAndBottomEdges) {
  QImage image = Canvas(10, 10);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.FillRect({2, 2, 5, 4}, kRed);
    gdi.FillRect({6, 6, 6, 9}, kBlue);  // empty: nothing
  }
  EXPECT_EQ(Pixel(image, 2, 2), kRed);
  EXPECT_EQ(Pixel(image, 4, 3), kRed);
  EXPECT_EQ(Pixel(image, 5, 3), kNone);
  EXPECT_EQ(Pixel(image, 4, 4), kNone);
  EXPECT_EQ(Pixel(image, 6, 6), kNone);
}

TEST(GdiPainter, linesLeaveOutTheirEndPointButPolylinesJoin) {
  QImage image = Canvas(10, 10);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.Line(1, 1, 5, 1, kRed);
    gdi.Polyline({{1, 3}, {4, 3}, {4, 7}}, kBlue);
    gdi.Line(6, 6, 9, 9, kRed);
  }
  EXPECT_EQ(Pixel(image, 4, 1), kRed);
  EXPECT_EQ(Pixel(image, 5, 1), kNone);
  EXPECT_EQ(Pixel(image, 4, 3), kBlue);
  EXPECT_EQ(Pixel(image, 4, 6), kBlue);
  EXPECT_EQ(Pixel(image, 4, 7), kNone);
  EXPECT_EQ(Pixel(image, 8, 8), kRed);
  EXPECT_EQ(Pixel(image, 9, 9), kNone);
}

TEST(GdiPainter, roundRectWith6x6EllipseCutsTwoPixelCorners) {
  QImage image = Canvas(8, 7);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.RoundRect({0, 0, 8, 7}, 6, 6, kRed, std::nullopt);
  }
  EXPECT_EQ(Rows(image, kRed, 8, 7),
            "..####..\n"
            ".#....#.\n"
            "#......#\n"
            "#......#\n"
            "#......#\n"
            ".#....#.\n"
            "..####..\n");
}

TEST(GdiPainter, roundRectMaskKeepsTheFilledShapeWithoutTheCutCorners) {
  // Drawn one pixel larger than the mask: the outline's right and bottom fall off.
  const QRegion kept = RoundRectRegion(8, 7, 6, 6);
  QString rows;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 8; ++x) rows += kept.contains(QPoint(x, y)) ? QLatin1Char('#') : QLatin1Char('.');
    rows += QLatin1Char('\n');
  }
  EXPECT_EQ(rows.toStdString(),
            "..#####.\n"
            ".#######\n"
            "########\n"
            "########\n"
            "########\n"
            "########\n"
            ".#######\n");
}

TEST(GdiPainter, roundRectFillsInsideAndSquareCornersWithoutEllipse) {
  QImage image = Canvas(6, 5);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.RoundRect({0, 0, 6, 5}, 0, 0, kRed, kBlue);
  }
  EXPECT_EQ(Pixel(image, 0, 0), kRed);
  EXPECT_EQ(Pixel(image, 5, 4), kRed);
  EXPECT_EQ(Pixel(image, 3, 2), kBlue);
}

TEST(GdiPainter, draw3dRectIsLightTopLeftDarkBottomRight) {
  QImage image = Canvas(6, 6);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.Draw3dRect({0, 0, 6, 6}, kRed, kBlue);
  }
  EXPECT_EQ(Pixel(image, 0, 0), kRed);
  EXPECT_EQ(Pixel(image, 4, 0), kRed);
  EXPECT_EQ(Pixel(image, 5, 0), kBlue);  // the top-right pixel belongs to the dark side
  EXPECT_EQ(Pixel(image, 0, 5), kBlue);
  EXPECT_EQ(Pixel(image, 0, 4), kRed);
  EXPECT_EQ(Pixel(image, 2, 2), kNone);
}

TEST(GdiPainter, sunkenAndEtchedEdgesUseTheSystemShades) {
  QImage image = Canvas(10, 10);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.SunkenEdge({0, 0, 10, 10});
  }
  EXPECT_EQ(Pixel(image, 0, 5), syscolor::kBtnShadow);
  EXPECT_EQ(Pixel(image, 1, 5), syscolor::kBtnDarkShadow);
  EXPECT_EQ(Pixel(image, 9, 5), syscolor::kBtnHighlight);
  EXPECT_EQ(Pixel(image, 8, 5), syscolor::kBtnLight);
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.EtchedTop({0, 4, 10, 10});
  }
  EXPECT_EQ(Pixel(image, 5, 4), syscolor::kBtnShadow);
  EXPECT_EQ(Pixel(image, 5, 5), syscolor::kBtnHighlight);
}

TEST(GdiPainter, notMergePenGivesInverseOfOr) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(qRgb(0x0F, 0x00, 0xF0));
  {
    QPainter p(&image);
    GdiPainter gdi(p);
    gdi.SetNotMergePen(true);
    gdi.FillRect({0, 0, 2, 2}, MakeColorRef(0xF0, 0x00, 0x0F));
  }
  EXPECT_EQ(Pixel(image, 0, 0), MakeColorRef(0x00, 0xFF, 0x00));
  EXPECT_EQ(Pixel(image, 3, 3), MakeColorRef(0x0F, 0x00, 0xF0));
}

TEST(GdiPainter, prefixesAreStrippedAndMeasuredWithout) {
  EXPECT_EQ(StripPrefix(QStringLiteral("&Yes")), QStringLiteral("Yes"));
  EXPECT_EQ(StripPrefix(QStringLiteral("Salt && Pepper&")), QStringLiteral("Salt & Pepper"));
  QFont font;
  font.setPixelSize(12);
  EXPECT_EQ(MeasureGdiText(font, QStringLiteral("&No"), kDtSingleLine).width(),
            MeasureGdiText(font, QStringLiteral("No"), kDtSingleLine | kDtNoPrefix).width());
  const QSize wrapped = MeasureGdiText(font, QString(60, QLatin1Char('w')).replace(7, 1, QLatin1Char(' ')),
                                       kDtWordBreak | kDtNoPrefix, 100);
  EXPECT_LE(wrapped.width(), 100 + 60 * 12);
  EXPECT_GT(wrapped.height(), MeasureGdiText(font, QStringLiteral("w"), kDtSingleLine).height());
}
