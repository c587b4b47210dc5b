// The plain (visible) text of a stored RTF page and whether it holds a picture or an
// attached file, for searching and exporting without an editor. Works under a
// QCoreApplication (the command line has no GUI application).
#pragma once

#include <QByteArrayView>
#include <QString>

namespace orlane {

struct RtfPageText {
  QString text;  // paragraphs joined by "\n"; each picture or file is U+FFFC
  bool hasObject = false;
  bool readable = true;  // false when the bytes are not RTF
};

RtfPageText ReadRtfPageText(QByteArrayView rtf);

}  // namespace orlane
