// A line-per-item text picture of a QTextDocument's content and formats, so
// tests can compare documents and keep expected results beside golden files.
#pragma once

#include <QString>

class QTextDocument;

namespace orlane::test {

QString DumpDocument(const QTextDocument& document);

}  // namespace orlane::test
