// What the editor cannot show must travel through a read and a write unchanged:
// metafile, damaged and unknown pictures, embedded objects that are not
// attached files, and hidden text.
#include "diary/page_objects.h"
#include "diary/page_text.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "support/foreign_page.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace orlane;

namespace {

using test::ForeignPage;
const QByteArray& kWmf = test::kWmfGroup;
const QByteArray& kSpreadsheet = test::kSpreadsheetGroup;
const QByteArray& kDamagedDib = test::kDamagedDibGroup;
const QByteArray& kWordPair = test::kWordPictureGroups;

QList<QTextImageFormat> KeptItems(const QTextDocument& document) {
  QList<QTextImageFormat> kept;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (IsKeptRtf(it.fragment().charFormat())) kept << it.fragment().charFormat().toImageFormat();
  return kept;
}

QStringList HiddenTexts(const QTextDocument& document) {
  QStringList texts;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (IsHiddenText(it.fragment().charFormat())) texts << HiddenText(it.fragment().charFormat());
  return texts;
}

}  // namespace

TEST(KeptContent, unknownGroupsAndHiddenTextSurviveReadEditAndWrite) {
  QTextDocument document;
  RtfReader reader;
  ASSERT_TRUE(reader.read(ForeignPage(), document));
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();

  // Shown: the text, one stand-in per group; Word's pair of copies of one picture is one.
  const QList<QTextImageFormat> kept = KeptItems(document);
  ASSERT_EQ(kept.size(), 4);
  EXPECT_EQ(KeptRtf(kept[0]), kWmf);
  EXPECT_EQ(KeptRtf(kept[1]), kSpreadsheet);
  EXPECT_EQ(KeptRtf(kept[2]), kDamagedDib);
  EXPECT_EQ(KeptRtf(kept[3]), kWordPair);
  EXPECT_EQ(kept[0].width(), 96);  // \picwgoal1440
  EXPECT_EQ(kept[0].height(), 48);
  EXPECT_EQ(kept[1].width(), 192);  // \objw2880
  EXPECT_EQ(QColor(PageImage(document, kept[0]).pixel(0, 0)), QColor(150, 150, 150));
  EXPECT_EQ(HiddenTexts(document), QStringList{QStringLiteral("secret \u00e9t\u00e9")});
  EXPECT_EQ(VisiblePlainText(document), QStringLiteral("Before \uFFFC middle \uFFFC\uFFFC\uFFFC After"));

  // Hidden text takes no room on the page.
  QTextDocument plain;
  plain.setPlainText(QStringLiteral("ab"));
  QTextDocument withHidden;
  QTextCursor c(&withHidden);
  c.insertText(QStringLiteral("a"));
  InsertHiddenText(c, QStringLiteral("a long hidden remark"), QTextCharFormat());
  c.insertText(QStringLiteral("b"));
  EXPECT_LT(withHidden.idealWidth(), plain.idealWidth() + 2);

  // Written back: every group as it came, the hidden text still hidden; a
  // second round gives the same bytes.
  const QByteArray written = RtfWriter().write(document);
  for (const QByteArray& group : {kWmf, kSpreadsheet, kDamagedDib, kWordPair})
    EXPECT_TRUE(written.contains(group)) << group.left(40).constData();
  EXPECT_TRUE(written.contains("{\\v\\f")) << written.constData();
  EXPECT_TRUE(written.contains("secret \\u233?t\\u233?}"));
  QTextDocument again;
  ASSERT_TRUE(RtfReader().read(written, again));
  EXPECT_EQ(RtfWriter().write(again), written);

  // An edit keeps them too.
  QTextCursor edit(&document);
  edit.insertText(QStringLiteral("Added by hand. "));
  const QByteArray edited = RtfWriter().write(document);
  EXPECT_TRUE(edited.contains("Added by hand."));
  for (const QByteArray& group : {kWmf, kSpreadsheet, kDamagedDib, kWordPair}) EXPECT_TRUE(edited.contains(group));
  EXPECT_TRUE(edited.contains("secret \\u233?t\\u233?}"));

  // Searching and exporting see only what is shown; hidden text is no picture.
  const RtfPageText hiddenOnly = ReadRtfPageText("{\\rtf1 {\\v only hidden}}");
  EXPECT_TRUE(hiddenOnly.text.isEmpty());
  EXPECT_FALSE(hiddenOnly.hasObject);
  EXPECT_TRUE(ReadRtfPageText(ForeignPage()).hasObject);
}
