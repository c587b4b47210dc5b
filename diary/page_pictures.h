// The pictures of a page's document, to rename or carry them when the page
// leaves the program (a standalone HTML page, a book with picture files).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QTextDocument;

namespace orlane {

// PNG bytes of a picture.
QByteArray PngBytes(const QImage& picture);
// "data:image/png;base64,..." of a picture.
QString PngDataUri(const QImage& picture);

// Gives every picture of the document (attached files' icons too) the name
// nameFor returns for it; the document keeps showing the same picture, as the
// picture is added as a resource under the new name. Pictures the document
// cannot show are left as they are.
void RenamePictures(QTextDocument& document, const std::function<QString(const QImage& picture)>& nameFor);

}  // namespace orlane
