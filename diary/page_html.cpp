#include "diary/page_html.h"

#include "diary/page_pictures.h"
#include "diary/rtf_reader.h"

#include <QTextDocument>

namespace orlane {

std::optional<QByteArray> RtfPageHtml(QByteArrayView rtf, const QString& title) {
  QTextDocument document;
  if (!RtfReader().read(rtf, document)) return std::nullopt;
  // Every picture's name becomes its own data: the HTML stands alone.
  RenamePictures(document, PngDataUri);
  document.setMetaInformation(QTextDocument::DocumentTitle, title);
  return document.toHtml().toUtf8();
}

}  // namespace orlane
