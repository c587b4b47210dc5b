#include "diary/page_objects.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>

#include <atomic>

namespace orlane {
namespace {

QString FreshResourceName(const QTextDocument& document) {
  static std::atomic<quint64> counter{0};
  for (;;) {
    const QString name = QStringLiteral("orlane-image:%1").arg(++counter);
    if (!document.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) return name;
  }
}

}  // namespace

namespace {
// Adds resource under a fresh name and inserts format, now naming it.
QTextImageFormat InsertNamedImage(QTextCursor& cursor, const QVariant& resource, QTextImageFormat format) {
  QTextDocument* document = cursor.document();
  const QString name = FreshResourceName(*document);
  document->addResource(QTextDocument::ImageResource, QUrl(name), resource);
  format.setName(name);
  cursor.insertImage(format);
  return format;
}

QTextImageFormat SizedFormat(QSizeF displaySize) {
  QTextImageFormat format;
  if (!displaySize.isEmpty()) {
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
  }
  return format;
}
}  // namespace

QTextImageFormat InsertPageImage(QTextCursor& cursor, const QVariant& resource, QSizeF displaySize) {
  return InsertNamedImage(cursor, resource, SizedFormat(displaySize));
}

QTextImageFormat InsertAttachment(QTextCursor& cursor, const QString& fileName, const QByteArray& bytes,
                                  const QImage& icon) {
  QTextImageFormat format;
  format.setProperty(kAttachmentNameProperty, fileName);
  format.setProperty(kAttachmentDataProperty, bytes);
  return InsertNamedImage(cursor, icon, format);
}

QTextImageFormat InsertKeptPicture(QTextCursor& cursor, const QVariant& standIn, QSizeF displaySize,
                                   const QByteArray& header, const QByteArray& data) {
  QTextImageFormat format = SizedFormat(displaySize);
  format.setProperty(kKeptPictureHeaderProperty, header);
  format.setProperty(kKeptPictureDataProperty, data);
  return InsertNamedImage(cursor, standIn, format);
}

bool IsKeptPicture(const QTextFormat& format) {
  return format.isImageFormat() && format.hasProperty(kKeptPictureDataProperty);
}

bool IsAttachment(const QTextFormat& format) {
  return format.isImageFormat() && format.hasProperty(kAttachmentDataProperty);
}

QString AttachmentName(const QTextFormat& format) {
  return format.stringProperty(kAttachmentNameProperty);
}

QByteArray AttachmentData(const QTextFormat& format) {
  return format.property(kAttachmentDataProperty).toByteArray();
}

QImage PageImage(const QTextDocument& document, const QTextImageFormat& format) {
  const QVariant value = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
  switch (value.typeId()) {
    case QMetaType::QImage: return qvariant_cast<QImage>(value);
    case QMetaType::QPixmap: return qvariant_cast<QPixmap>(value).toImage();
    case QMetaType::QByteArray: return QImage::fromData(value.toByteArray());
    default: return {};
  }
}

QImage PaintAttachmentIcon(const QString& fileName) {
  const QString shown = QFileInfo(fileName).fileName();
  QFont font;
  font.setPixelSize(12);
  const QFontMetrics metrics(font);
  const QString elided = metrics.elidedText(shown, Qt::ElideMiddle, 200);
  const int width = std::max(48, metrics.horizontalAdvance(elided) + 8);
  const int height = 40 + metrics.height() + 4;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // A sheet with a folded corner.
  const int left = (width - 28) / 2;
  const QPolygon sheet(
      {QPoint(left, 2), QPoint(left + 20, 2), QPoint(left + 28, 10), QPoint(left + 28, 36), QPoint(left, 36)});
  painter.setPen(QPen(QColor(70, 90, 130), 1.5));
  painter.setBrush(QColor(225, 235, 250));
  painter.drawPolygon(sheet);
  painter.drawPolyline(QPolygon({QPoint(left + 20, 2), QPoint(left + 20, 10), QPoint(left + 28, 10)}));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 40, width, metrics.height() + 4), Qt::AlignHCenter | Qt::AlignVCenter, elided);
  painter.end();
  return image;
}

}  // namespace orlane
