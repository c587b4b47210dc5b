// CDibImage: a Windows bitmap file loaded into memory (the skins of the title
// band, the label's picture). Loading checks the file and keeps its size and,
// on request, a palette from its colour table; drawing copies it unscaled or
// stretched into a rectangle.
#pragma once

#include "controls/color_theme.h"

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

namespace orlane {

class CDibImage final {
 public:
  CDibImage() = default;

  // 1 when the file is a readable bitmap; 0 otherwise (and on an empty path),
  // leaving nothing loaded.
  int Load(const QString& path, bool makePalette);
  void Free();
  bool IsLoaded() const { return !image_.isNull(); }

  // Draws into `target`; unscaled when the sizes match, else stretched. With
  // nothing loaded the rectangle is filled with `background` and 0 returned.
  int Draw(QPainter& painter, const QRect& target, ColorRef background = MakeColorRef(255, 255, 255)) const;
  // The device copy (a pixmap), rebuilt on each call.
  QPixmap MakeDeviceBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<ColorRef>& Palette() const { return palette_; }
  const QString& Path() const { return path_; }
  const QString& LastError() const { return error_; }
  const QImage& Image() const { return image_; }

 private:
  QString path_;
  QImage image_;
  QPixmap device_;
  std::vector<ColorRef> palette_;
  int width_ = 0;
  int height_ = 0;
  QString error_;
};

}  // namespace orlane
