#include "diary/page_pictures.h"

#include "diary/page_objects.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <utility>
#include <vector>

namespace orlane {

QByteArray PngBytes(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return png;
}

QString PngDataUri(const QImage& picture) {
  return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(PngBytes(picture).toBase64());
}

void RenamePictures(QTextDocument& document, const std::function<QString(const QImage& picture)>& nameFor) {
  // Collected first: changing a fragment's format while walking would merge fragments under the walk.
  std::vector<std::pair<QTextFragment, QTextImageFormat>> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (const QTextCharFormat format = it.fragment().charFormat(); format.isImageFormat())
        pictures.emplace_back(it.fragment(), format.toImageFormat());
  for (auto& [fragment, format] : pictures) {
    const QImage picture = PageImage(document, format);
    if (picture.isNull()) continue;
    const QString name = nameFor(picture);
    document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    format.setName(name);
    QTextCursor cursor(&document);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
  }
}

}  // namespace orlane
