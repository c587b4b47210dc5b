#include "diary/rtf_reader.h"

#include "diary/rtf_read_session.h"

#include <QIODevice>
#include <QTextDocument>

namespace orlane {

namespace {
constexpr qint64 kMaxDeviceBytes = qint64(1) << 30;
}

bool RtfReader::read(QByteArrayView rtf, QTextDocument& document) {
  error_.clear();
  // Some writers put white space or a byte order mark before the first brace.
  qsizetype start = 0;
  if (rtf.startsWith("\xEF\xBB\xBF")) start = 3;
  while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\r' || rtf[start] == '\n' || rtf[start] == '\t'))
    ++start;
  if (!rtf.sliced(start).startsWith("{\\rtf")) {
    error_ = QStringLiteral("The text is not RTF.");
    return false;
  }
  // Loading a page is not an edit the user could undo.
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  RtfReadSession session(rtf.sliced(start), document);
  session.run();
  document.setUndoRedoEnabled(undo);
  error_ = session.error();
  return true;
}

bool RtfReader::read(QIODevice& device, QTextDocument& document) {
  if (!device.isSequential() && device.size() - device.pos() > kMaxDeviceBytes) {
    error_ = QStringLiteral("The RTF file is too large.");
    return false;
  }
  const QByteArray bytes = device.read(kMaxDeviceBytes);
  if (!device.atEnd()) {
    error_ = QStringLiteral("The RTF file is too large.");
    return false;
  }
  return read(bytes, document);
}

}  // namespace orlane
