#include "diary/page_text.h"

#include "diary/page_objects.h"
#include "diary/rtf_reader.h"

#include <QTextDocument>

namespace orlane {

RtfPageText ReadRtfPageText(QByteArrayView rtf) {
  RtfPageText page;
  QTextDocument document;
  if (!RtfReader().read(rtf, document)) {
    page.readable = false;
    return page;
  }
  page.text = VisiblePlainText(document);
  page.hasObject = page.text.contains(QChar::ObjectReplacementCharacter);
  return page;
}

}  // namespace orlane
