// Any bytes as RTF: the reader must finish without a fault, and whatever page
// it made must go through the writer and read back without a fault.
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "fuzz/fuzz_gui.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  orlane::fuzz::StartOffscreenGui();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  // Most inputs should get past the header check to reach the reader proper.
  QByteArray bytes("{\\rtf1 ");
  bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  orlane::RtfReader reader;
  if (!reader.read(bytes, document)) std::abort();
  const QByteArray written = orlane::RtfWriter().write(document);
  QTextDocument again;
  orlane::RtfReader second;
  if (!second.read(written, again)) std::abort();
  if (again.toPlainText() != document.toPlainText()) std::abort();
  return 0;
}
