// Tables, links, footnotes and other programs' destinations: read as the
// page shows them or kept as they came, and stable through a write and a read.
#include "diary/page_objects.h"
#include "diary/page_text.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "document_dump.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace orlane;
using orlane::test::FirstTable;

namespace {

QString CellText(QTextTable& table, int row, int column) {
  QTextCursor cursor = table.cellAt(row, column).firstCursorPosition();
  cursor.setPosition(table.cellAt(row, column).lastCursorPosition().position(), QTextCursor::KeepAnchor);
  return cursor.selectedText();
}

QStringList Links(const QTextDocument& document) {
  QStringList links;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isAnchor())
        links << it.fragment().charFormat().anchorHref() + QLatin1Char('=') + it.fragment().text();
  return links;
}

// Reads, writes and reads again: the second page must look as the first and
// write the same bytes.
QByteArray StableWrite(const QByteArray& rtf, QTextDocument& first) {
  EXPECT_TRUE(RtfReader().read(rtf, first));
  const QByteArray written = RtfWriter().write(first);
  QTextDocument second;
  EXPECT_TRUE(RtfReader().read(written, second));
  EXPECT_EQ(second.toPlainText(), first.toPlainText());
  EXPECT_EQ(RtfWriter().write(second), written);
  return written;
}

const QByteArray kTablePage =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Before\\par"
    "\\trowd\\trql\\cellx2000\\cellx5000\\pard\\intbl A1\\cell\\pard\\intbl B1 {\\b bold}\\cell\\row"
    "\\trowd\\cellx2000\\cellx5000\\pard\\intbl A2\\par second line\\cell\\pard\\intbl\\cell\\row"
    "\\pard After\\par}";

}  // namespace

// Found by the fuzz target: an empty picture in \shppict and a \nonshppict
// word that is no group of its own once came back as another page.
TEST(RtfContent, shppictWithoutItsSecondCopy_readsWritesAndReadsTheSame) {
  const QByteArray repro = "{\\rtf1 {{\\shppict{\\pict}}\\nonshppict}";
  for (const QByteArray& input : {repro, "{\\rtf1 " + repro}) {
    QTextDocument page;
    const QByteArray written = StableWrite(input, page);
    EXPECT_EQ(page.toPlainText(), QString(QChar::ObjectReplacementCharacter));
    EXPECT_TRUE(written.contains("{\\shppict{\\pict}}"));
    EXPECT_FALSE(written.contains("nonshppict"));
  }
  // Another finding: words after a picture that waited for its second copy
  // once moved in front of it when the page was read again.
  const QByteArray found =
      QByteArray::fromBase64("e1yOi5nPIHt7XHNocHBpY3R7XHBpY3R9fVxufVxub25zaHBwaWN0fSNjdH19XG5vbnNocHBpY3R9Iw==");
  QTextDocument odd;
  StableWrite("{\\rtf1 " + found, odd);
  EXPECT_TRUE(odd.toPlainText().endsWith(QChar::ObjectReplacementCharacter + QStringLiteral("#ct")));
  // A real second copy right beside the first is still kept with it.
  QTextDocument pair;
  const QByteArray written = StableWrite("{\\rtf1 {\\*\\shppict{\\pict}}\r\n{\\nonshppict{\\pict}} end}", pair);
  EXPECT_TRUE(written.contains("{\\*\\shppict{\\pict}}\r\n{\\nonshppict{\\pict}}"));
}

TEST(RtfContent, tablesAreReadAsTablesAndWrittenBackAsRtfTables) {
  QTextDocument page;
  const QByteArray written = StableWrite(kTablePage, page);
  QTextTable* table = FirstTable(page);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rows(), 2);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(CellText(*table, 0, 0), QStringLiteral("A1"));
  EXPECT_EQ(CellText(*table, 0, 1), QStringLiteral("B1 bold"));
  EXPECT_EQ(CellText(*table, 1, 0), QStringLiteral("A2\u2029second line"));
  EXPECT_EQ(CellText(*table, 1, 1), QString());
  EXPECT_EQ(page.begin().text(), QStringLiteral("Before"));
  EXPECT_EQ(page.lastBlock().text(), QStringLiteral("After"));
  const QList<QTextLength> widths = table->format().columnWidthConstraints();
  ASSERT_EQ(widths.size(), 2);
  EXPECT_EQ(widths[1].type(), QTextLength::FixedLength);
  EXPECT_TRUE(written.contains("\\cellx2000\\cellx5000"));
  EXPECT_EQ(written.count("\\row"), 2);
  EXPECT_EQ(written.count("\\cell\n"), 4);

  QTextDocument again;
  ASSERT_TRUE(RtfReader().read(written, again));
  ASSERT_NE(FirstTable(again), nullptr);
  EXPECT_EQ(CellText(*FirstTable(again), 0, 1), QStringLiteral("B1 bold"));
}

TEST(RtfContent, hostileTablesStayWithinTheirLimits) {
  QByteArray cells = "{\\rtf1 \\pard\\intbl ";
  for (int i = 0; i < 5000; ++i) cells += "x\\cell ";
  cells += "\\row ";
  for (int i = 0; i < 3000; ++i) cells += "\\row\\cell";
  cells += "\\pard\\intbl\\cell\\intbl0 out\\row\\par}";
  QTextDocument page;
  ASSERT_TRUE(RtfReader().read(cells, page));
  ASSERT_NE(FirstTable(page), nullptr);
  EXPECT_LE(FirstTable(page)->columns(), 63);
  const QByteArray written = RtfWriter().write(page);
  QTextDocument again;
  ASSERT_TRUE(RtfReader().read(written, again));
  EXPECT_EQ(again.toPlainText(), page.toPlainText());
  // Cells and rows without a table, and a table the input never closes.
  for (const QByteArray& odd : {QByteArray("{\\rtf1 a\\cell b\\row c}"), QByteArray("{\\rtf1 \\intbl a\\cell{\\b b"),
                                QByteArray("{\\rtf1 \\trowd\\cellx-5\\cellx0\\intbl\\cell\\row\\cell}")}) {
    QTextDocument other;
    StableWrite(odd, other);
  }
}

TEST(RtfContent, hyperlinksAreLinksThatComeBackWithTheirTargets) {
  const QByteArray rtf =
      "{\\rtf1\\ansi See {\\field{\\*\\fldinst HYPERLINK \"https://example.org/trip\" }{\\fldrslt {\\ul the "
      "site}}} and {\\field{\\*\\fldinst {HYPERLINK \"https://example.org/page\" \\\\l \"part\"}}{\\fldrslt here}}"
      " or {\\field{\\*\\fldinst PAGE }{\\fldrslt 7}}.\\par}";
  QTextDocument page;
  const QByteArray written = StableWrite(rtf, page);
  EXPECT_EQ(page.toPlainText(), QStringLiteral("See the site and here or 7."));
  EXPECT_EQ(Links(page), QStringList({QStringLiteral("https://example.org/trip=the site"),
                                      QStringLiteral("https://example.org/page#part=here")}));
  EXPECT_TRUE(written.contains("HYPERLINK \"https://example.org/trip\""));
  // A target with quotes and letters beyond ASCII goes out as plain bytes.
  QTextDocument odd;
  QTextCursor cursor(&odd);
  QTextCharFormat link;
  link.setAnchor(true);
  link.setAnchorHref(QStringLiteral("https://example.org/caf\u00e9?q=\"x\""));
  cursor.insertText(QStringLiteral("odd"), link);
  QTextDocument back;
  ASSERT_TRUE(RtfReader().read(RtfWriter().write(odd), back));
  ASSERT_EQ(Links(back).size(), 1);
  EXPECT_EQ(QUrl(Links(back)[0].section(QLatin1Char('='), 0, -2)), QUrl(link.anchorHref()));
}

TEST(RtfContent, footnotesAndForeignDestinationsAreKeptAsTheyCame) {
  const QByteArray footnote = "{\\*\\footnote \\chftn\\pard\\plain Footnote words here.}";
  const QByteArray rtf = "{\\rtf1\\ansi{\\*\\generator Writer;}Text{\\super \\chftn" + footnote +
                         "} more {\\*\\bkmkstart mark}marked{\\header Top line\\par} end.\\par}";
  QTextDocument page;
  const QByteArray written = StableWrite(rtf, page);
  EXPECT_TRUE(written.contains("{\\super\\chftn" + footnote + "}"));
  EXPECT_TRUE(written.contains("{\\*\\bkmkstart mark}"));
  EXPECT_TRUE(written.contains("{\\header Top line\\par}"));
  EXPECT_FALSE(written.contains("generator"));
  EXPECT_EQ(VisiblePlainText(page), QStringLiteral("Text\uFFFC more marked end."));
  int notes = 0;
  for (auto it = page.begin().begin(); !it.atEnd(); ++it) {
    const QTextCharFormat format = it.fragment().charFormat();
    if (!IsKeptRtf(format)) continue;
    ++notes;
    EXPECT_TRUE(format.toolTip().startsWith(QStringLiteral("Footnote words here.")));
  }
  EXPECT_EQ(notes, 1);
  const RtfPageText text = ReadRtfPageText(written);
  EXPECT_EQ(text.text, QStringLiteral("Text\uFFFC more marked end."));
}
