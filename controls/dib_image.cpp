#include "controls/dib_image.h"

#include "controls/dib_header.h"
#include "controls/gdi_painter.h"
#include "platform/file_io.h"

#include <QPainter>

namespace orlane {

namespace {
constexpr qint64 kMaxBitmapFileBytes = 64 * 1024 * 1024;
}

void CDibImage::Free() {
  path_.clear();
  image_ = QImage();
  device_ = QPixmap();
  palette_.clear();
  width_ = height_ = 0;
}

int CDibImage::Load(const QString& path, bool makePalette) {
  Free();
  error_.clear();
  if (path.isEmpty()) return 0;
  QByteArray bytes;
  if (ReadFileBytes(path, bytes, kMaxBitmapFileBytes) != FileReadResult::Ok) {
    error_ = QStringLiteral("cannot read the file");
    return 0;
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const DibParseResult parsed = ParseDibFile({data, static_cast<std::size_t>(bytes.size())});
  if (!parsed.info) {
    error_ = QString::fromStdString(parsed.error);
    return 0;
  }
  QImage image = QImage::fromData(bytes, "BMP");
  if (image.isNull()) {
    error_ = QStringLiteral("pixel data not readable");
    return 0;
  }
  path_ = path;
  image_ = std::move(image);
  width_ = parsed.info->width;
  height_ = parsed.info->height < 0 ? -parsed.info->height : parsed.info->height;
  if (makePalette && parsed.info->colorCount <= 256) palette_ = parsed.info->palette;
  return 1;
}

int CDibImage::Draw(QPainter& painter, const QRect& target, ColorRef background) const {
  if (image_.isNull()) {
    painter.fillRect(target, ToQColor(background));
    return 0;
  }
  if (target.width() == width_ && target.height() == height_) {
    painter.drawImage(target.topLeft(), image_);
  } else {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image_);
    painter.restore();
  }
  return 1;
}

QPixmap CDibImage::MakeDeviceBitmap() {
  device_ = image_.isNull() ? QPixmap() : QPixmap::fromImage(image_);
  return device_;
}

}  // namespace orlane
