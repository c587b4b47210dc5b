// Writes a QTextDocument as RTF that this program, LibreOffice and Word read
// back: font and colour tables, sizes, emphasis, colours, alignment, indents,
// spacing, bullets and numbering, pictures as PNG (or JPEG kept as it came)
// and attached files as embedded Package objects with their icon as result.
// Text outside ASCII goes out as \uN?.
#pragma once

#include <QByteArray>

class QIODevice;
class QTextDocument;

namespace orlane {

class RtfWriter final {
 public:
  QByteArray write(const QTextDocument& document);
  // False when the device refused some of the bytes.
  bool write(const QTextDocument& document, QIODevice& device);
};

}  // namespace orlane
