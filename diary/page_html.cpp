#include "diary/page_html.h"

#include "diary/page_objects.h"
#include "diary/rtf_reader.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace orlane {

namespace {

QString DataUri(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

// Every picture's resource name becomes its own data: the HTML stands alone.
void InlinePictures(QTextDocument& document) {
  std::vector<std::pair<QTextFragment, QTextImageFormat>> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (const QTextCharFormat format = it.fragment().charFormat(); format.isImageFormat())
        pictures.emplace_back(it.fragment(), format.toImageFormat());
  for (auto& [fragment, format] : pictures) {
    const QImage picture = PageImage(document, format);
    if (picture.isNull()) continue;
    format.setName(DataUri(picture));
    QTextCursor cursor(&document);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
  }
}

}  // namespace

std::optional<QByteArray> RtfPageHtml(QByteArrayView rtf, const QString& title) {
  QTextDocument document;
  if (!RtfReader().read(rtf, document)) return std::nullopt;
  InlinePictures(document);
  document.setMetaInformation(QTextDocument::DocumentTitle, title);
  return document.toHtml().toUtf8();
}

}  // namespace orlane
