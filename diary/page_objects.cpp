#include "diary/page_objects.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <optional>

namespace orlane {
namespace {

QString FreshResourceName(const QTextDocument& document) {
  static std::atomic<quint64> counter{0};
  for (;;) {
    QString name = QStringLiteral("orlane-image:%1").arg(++counter);
    if (!document.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) return name;
  }
}

// Adds resource to the document under a fresh name; the format shows it at
// displaySize (empty: its natural size) once inserted.
QTextImageFormat ImageFormatFor(QTextDocument& document, const QVariant& resource, QSizeF displaySize) {
  const QString name = FreshResourceName(document);
  document.addResource(QTextDocument::ImageResource, QUrl(name), resource);
  QTextImageFormat format;
  format.setName(name);
  if (!displaySize.isEmpty()) {
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
  }
  return format;
}

}  // namespace

QTextImageFormat InsertPageImage(QTextCursor& cursor, const QVariant& resource, QSizeF displaySize) {
  QTextImageFormat format = ImageFormatFor(*cursor.document(), resource, displaySize);
  cursor.insertImage(format);
  return format;
}

QTextImageFormat InsertAttachment(QTextCursor& cursor, const QString& fileName, const QByteArray& bytes,
                                  const QImage& icon) {
  QTextImageFormat format = ImageFormatFor(*cursor.document(), icon, {});
  format.setProperty(kAttachmentNameProperty, fileName);
  format.setProperty(kAttachmentDataProperty, bytes);
  cursor.insertImage(format);
  return format;
}

QTextImageFormat InsertKeptRtf(QTextCursor& cursor, const QByteArray& rtfGroup, const QVariant& picture,
                               QSizeF displaySize, const QString& toolTip) {
  QTextImageFormat format = ImageFormatFor(*cursor.document(), picture, displaySize);
  format.setProperty(kKeptRtfProperty, rtfGroup);
  if (!toolTip.isEmpty()) format.setToolTip(toolTip);
  cursor.insertImage(format);
  return format;
}

bool IsKeptRtf(const QTextFormat& format) {
  return format.isImageFormat() && format.hasProperty(kKeptRtfProperty);
}

QByteArray KeptRtf(const QTextFormat& format) {
  return format.property(kKeptRtfProperty).toByteArray();
}

QImage PlaceholderPicture(QSize size) {
  // At most 128 pixels a side (the page shows it at its own size), and one
  // image per size: a page of a thousand stand-ins stays small.
  constexpr int kMaxSide = 128;
  const double scale = std::min(1.0, double(kMaxSide) / std::max({size.width(), size.height(), 1}));
  const int w = std::clamp(int(size.width() * scale), 8, kMaxSide);
  const int h = std::clamp(int(size.height() * scale), 8, kMaxSide);
  thread_local QHash<QPair<int, int>, QImage> made;
  if (const auto found = made.constFind({w, h}); found != made.cend()) return *found;
  // Drawn pixel by pixel: readers without a GUI application build these too.
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(QColor(236, 236, 236));
  const QRgb edge = qRgb(150, 150, 150);
  for (int x = 0; x < w; ++x) image.setPixel(x, 0, edge), image.setPixel(x, h - 1, edge);
  for (int y = 0; y < h; ++y) image.setPixel(0, y, edge), image.setPixel(w - 1, y, edge);
  if (made.size() < 1024) made.insert({w, h}, image);
  return image;
}

void InsertHiddenText(QTextCursor& cursor, const QString& text, QTextCharFormat format) {
  format.setObjectType(kHiddenTextObject);
  format.setProperty(kHiddenTextProperty, text);
  cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

bool IsHiddenText(const QTextFormat& format) {
  return format.isCharFormat() && format.objectType() == kHiddenTextObject;
}

QString HiddenText(const QTextFormat& format) {
  return format.stringProperty(kHiddenTextProperty);
}

void InsertInvisibleKeptRtf(QTextCursor& cursor, const QByteArray& rtfGroup) {
  QTextCharFormat format;
  format.setObjectType(kInvisibleKeptObject);
  format.setProperty(kKeptRtfProperty, rtfGroup);
  cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

bool IsInvisibleKeptRtf(const QTextFormat& format) {
  return format.isCharFormat() && format.objectType() == kInvisibleKeptObject;
}

QString VisiblePlainText(const QTextDocument& document) {
  QString text;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QLatin1Char('\n');
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!IsHiddenText(format) && !IsInvisibleKeptRtf(format)) text += it.fragment().text();
    }
  }
  // As QTextDocument::toPlainText gives it.
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  text.replace(QChar::Nbsp, QLatin1Char(' '));
  return text;
}

QString PlainTextWithoutObjects(QString text) {
  text.remove(QChar::ObjectReplacementCharacter);
  return text;
}

namespace {
// What an object's format lends text typed beside it (Qt keeps all but the
// object type) is not the text's.
QTextCharFormat WithoutObjectProperties(QTextCharFormat format) {
  for (int property : {kAttachmentNameProperty, kAttachmentDataProperty, kKeptRtfProperty, kHiddenTextProperty,
                       int(QTextFormat::ImageName), int(QTextFormat::ImageWidth), int(QTextFormat::ImageHeight),
                       int(QTextFormat::ObjectIndex), int(QTextFormat::ObjectType), int(QTextFormat::TextToolTip)})
    format.clearProperty(property);
  return format;
}
}  // namespace

QTextCharFormat TextFormatAt(const QTextCursor& cursor) {
  const QTextBlock block = cursor.block();
  const int position = cursor.position();
  std::optional<QTextCharFormat> before;
  std::optional<QTextCharFormat> after;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const QTextCharFormat format = fragment.charFormat();
    if (format.objectType() != QTextFormat::NoObject) continue;
    if (fragment.position() < position) {
      before = format;
    } else if (!after) {
      after = format;
    }
  }
  if (before) return WithoutObjectProperties(*before);
  if (after) return WithoutObjectProperties(*after);
  return WithoutObjectProperties(block.charFormat());
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
