// A line-per-item text picture of a QTextDocument's content and formats, so
// tests can compare documents and keep expected results beside golden files.
#pragma once

#include <QString>

class QTextDocument;
class QTextTable;

namespace orlane::test {

QString DumpDocument(const QTextDocument& document);
// The first table of the page's top level, or null.
QTextTable* FirstTable(const QTextDocument& document);

}  // namespace orlane::test
