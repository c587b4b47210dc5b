// Diary day files for the tests of the book export: a page with emphasis, a
// bulleted list and a picture, written as the program writes it (RTF behind
// the password header).
#pragma once

#include "days/day_files.h"
#include "diary/page_objects.h"
#include "diary/rtf_writer.h"
#include "security/scramble.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace orlane::test {

// "<words> strong" in bold, a list of two items and, when asked, a picture.
inline QByteArray RichPageRtf(const QString& words, bool picture) {
  QTextDocument page;
  QTextCursor cursor(&page);
  cursor.insertText(words + QLatin1Char(' '));
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(QStringLiteral("strong"), bold);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("first item"), QTextCharFormat());
  cursor.createList(QTextListFormat::ListDisc);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("second item"));
  cursor.insertBlock();
  cursor.currentList()->remove(cursor.block());
  QTextBlockFormat plain;
  plain.setIndent(0);
  cursor.setBlockFormat(plain);
  if (picture) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    InsertPageImage(cursor, image);
  }
  cursor.insertText(QStringLiteral(" end"));
  return RtfWriter().write(page);
}

inline void WriteDiaryDay(const QDate& date, const QByteArray& rtf, const QByteArray& password) {
  QFile f(DayFilePath(date.year(), date.month(), date.day(), DayFileKind::Diary));
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(WrapWithPasswordHeader(rtf, password));
}

}  // namespace orlane::test
