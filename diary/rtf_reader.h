// Reads RTF into a QTextDocument: text with its fonts, sizes, emphasis and
// colours, paragraph alignment, indents and spacing, bullets and numbering,
// pictures and attached files. It takes what LibreOffice, WordPad and Word
// write and survives anything else: it never throws, keeps whatever it could
// read, and says what was wrong through hasError()/errorString().
#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;
class QTextDocument;

namespace orlane {

class RtfReader final {
 public:
  static constexpr int kMaxGroupDepth = 400;

  // Replaces the document's content with the page the bytes describe. False
  // when the bytes are not RTF at all; the document is then left unchanged.
  bool read(QByteArrayView rtf, QTextDocument& document);
  bool read(QIODevice& device, QTextDocument& document);

  bool hasError() const { return !error_.isEmpty(); }
  QString errorString() const { return error_; }

 private:
  QString error_;
};

}  // namespace orlane
