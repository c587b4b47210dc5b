// Pages built the way the editor builds them must come back from our RTF with
// every format, picture and attached file unchanged.
#include "diary/font_sizes.h"
#include "diary/page_objects.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "document_dump.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace orlane;

namespace {

QTextCharFormat Format(const QString& family, int comboSize) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{family});
  format.setFontPointSize(TwipsToPoints(ComboSizeToTwips(comboSize)));
  return format;
}

QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, x < w / 2 ? qRgb(200, 10, 10) : qRgb(10, 10, 200));
  return image;
}

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// One paragraph per toolbar format, two pictures and an attached file.
void BuildFullPage(QTextDocument& document) {
  QTextCursor cursor(&document);
  QTextBlockFormat centre;
  centre.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centre);
  QTextCharFormat f = Format("DejaVu Sans", 10);
  cursor.insertText("Ten point, centred. ", f);
  f.setFontWeight(QFont::Bold);
  cursor.insertText("Bold ", f);
  f.setFontItalic(true);
  cursor.insertText("bold italic ", f);
  f = Format("DejaVu Serif", 14);
  f.setFontUnderline(true);
  cursor.insertText("underlined serif ", f);
  f.setFontUnderline(false);
  f.setFontStrikeOut(true);
  cursor.insertText("struck", f);

  QTextBlockFormat right;
  right.setAlignment(Qt::AlignRight);
  right.setRightMargin(24);
  cursor.insertBlock(right);
  f = Format("DejaVu Sans", 12);
  f.setForeground(QColor(0x12, 0x80, 0xEF));
  cursor.insertText("Blue text ", f);
  f.setBackground(QColor(255, 255, 0));
  cursor.insertText("on yellow", f);

  QTextBlockFormat justified;
  justified.setAlignment(Qt::AlignJustify);
  justified.setLeftMargin(48);
  justified.setTextIndent(-12);
  justified.setTopMargin(6);
  justified.setBottomMargin(10);
  justified.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
  cursor.insertBlock(justified);
  cursor.insertText(QString::fromUtf8("Accents: café Größe € — Ελληνικά, Кириллица, 日本語, emoji 😀, tab\there"),
                    Format("DejaVu Sans", 11));
  cursor.insertText(QString(QChar(0x2028)) + "after a line break {braces} \\ backslash", Format("DejaVu Sans", 11));

  QTextBlockFormat plain;
  cursor.insertBlock(plain);
  QTextListFormat bullets;
  bullets.setStyle(QTextListFormat::ListDisc);
  bullets.setIndent(1);
  cursor.createList(bullets);
  cursor.insertText("first bullet", Format("DejaVu Sans", 12));
  cursor.insertBlock();
  cursor.insertText("second bullet", Format("DejaVu Sans", 12));
  cursor.insertBlock(plain);
  QTextListFormat numbers;
  numbers.setStyle(QTextListFormat::ListDecimal);
  numbers.setIndent(2);
  cursor.createList(numbers);
  cursor.insertText("numbered one", Format("DejaVu Sans", 12));
  cursor.insertBlock();
  cursor.insertText("numbered two", Format("DejaVu Sans", 12));

  cursor.insertBlock(plain);
  if (QTextList* list = cursor.block().textList()) list->remove(cursor.block());
  cursor.insertText("Pictures: ", Format("DejaVu Sans", 12));
  InsertPageImage(cursor, Quadrants(16, 8));
  InsertPageImage(cursor, PngBytes(Quadrants(6, 4)), QSizeF(60, 40));
  cursor.insertText(" and a file: ", Format("DejaVu Sans", 12));
  QByteArray fileBytes;
  for (int i = 0; i < 3000; ++i) fileBytes.append(static_cast<char>(i * 7));
  InsertAttachment(cursor, QString::fromUtf8("Résumé notes.odt"), fileBytes, Quadrants(40, 50));
  cursor.insertBlock(plain);  // an empty last paragraph is kept too
}

QString RoundTrip(const QTextDocument& document, QTextDocument& again) {
  RtfReader reader;
  EXPECT_TRUE(reader.read(RtfWriter().write(document), again));
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return test::DumpDocument(again);
}

}  // namespace

TEST(RtfRoundTrip, fullPage_keepsEveryFormatPictureAndFile) {
  QTextDocument document;
  BuildFullPage(document);
  QTextDocument again;
  const std::string before = test::DumpDocument(document).toStdString();
  EXPECT_EQ(RoundTrip(document, again).toStdString(), before);
  EXPECT_EQ(again.toPlainText(), document.toPlainText());
  // A second pass changes nothing either: saving a loaded day is stable.
  QTextDocument third;
  EXPECT_EQ(RoundTrip(again, third).toStdString(), before);
  EXPECT_EQ(RtfWriter().write(again), RtfWriter().write(third));
}

TEST(RtfRoundTrip, fullPage_attachmentKeepsNameBytesAndIcon) {
  QTextDocument document;
  BuildFullPage(document);
  QTextDocument again;
  RoundTrip(document, again);
  int attachments = 0, pictures = 0;
  for (QTextBlock block = again.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      if (IsAttachment(format)) {
        ++attachments;
        EXPECT_EQ(AttachmentName(format), QString::fromUtf8("Résumé notes.odt"));
        const QByteArray data = AttachmentData(format);
        ASSERT_EQ(data.size(), 3000);
        EXPECT_EQ(static_cast<unsigned char>(data[2999]), static_cast<unsigned char>(2999 * 7));
        EXPECT_EQ(PageImage(again, format.toImageFormat()).size(), QSize(40, 50));
      } else {
        ++pictures;
      }
    }
  EXPECT_EQ(attachments, 1);
  EXPECT_EQ(pictures, 2);
}

TEST(RtfRoundTrip, tenPointSizeRule_195TwipsComesBackAsTen) {
  EXPECT_EQ(ComboSizeToTwips(10), 195);
  EXPECT_EQ(ComboSizeToTwips(12), 240);
  EXPECT_EQ(ComboSizeToTwips(9), 180);
  EXPECT_EQ(TwipsToComboSize(195), 10);
  EXPECT_EQ(TwipsToComboSize(200), 10);
  EXPECT_EQ(TwipsToComboSize(240), 12);
  QTextDocument document;
  QTextCursor(&document).insertText("small", Format("DejaVu Sans", 10));
  const QByteArray rtf = RtfWriter().write(document);
  // Other readers see the nearest half point; ours the exact twips.
  EXPECT_TRUE(rtf.contains("\\fs20\\olfstw195 ")) << rtf.constData();
  QTextDocument again;
  RtfReader().read(rtf, again);
  EXPECT_EQ(PointsToTwips(again.begin().begin().fragment().charFormat().fontPointSize()), 195);
}

TEST(RtfRoundTrip, emptyAndBlankPages) {
  QTextDocument empty;
  QTextDocument again;
  EXPECT_EQ(RoundTrip(empty, again).toStdString(), test::DumpDocument(empty).toStdString());
  EXPECT_TRUE(again.isEmpty());
  QTextDocument blanks;
  QTextCursor cursor(&blanks);
  cursor.insertBlock();
  cursor.insertBlock();
  QTextDocument blanksAgain;
  RoundTrip(blanks, blanksAgain);
  EXPECT_EQ(blanksAgain.blockCount(), 3);
}

TEST(RtfRoundTrip, writerOutput_isSevenBitAndBalanced) {
  QTextDocument document;
  BuildFullPage(document);
  const QByteArray rtf = RtfWriter().write(document);
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  int depth = 0, lowest = 1;
  for (qsizetype i = 0; i < rtf.size(); ++i) {
    const char c = rtf[i];
    EXPECT_GE(static_cast<unsigned char>(c), 0x0A);
    EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    if (c == '\\') {
      ++i;
      continue;
    }
    if (c == '{') ++depth;
    if (c == '}') --depth;
    if (i > 0 && i + 2 < rtf.size()) lowest = std::min(lowest, depth);
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(lowest, 1);  // nothing outside the document group
  EXPECT_TRUE(rtf.contains("\\u8364?"));
  EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?"));  // 😀 as a surrogate pair
  EXPECT_TRUE(rtf.contains("{\\*\\objclass Package}"));
  EXPECT_TRUE(rtf.contains("\\pngblip"));
}

TEST(RtfRoundTrip, writeToDevice_reportsRefusedBytes) {
  QTextDocument document;
  QTextCursor(&document).insertText("text");
  QByteArray target;
  QBuffer buffer(&target);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(RtfWriter().write(document, buffer));
  EXPECT_EQ(target, RtfWriter().write(document));
  QBuffer closed;
  EXPECT_FALSE(RtfWriter().write(document, closed));
}

TEST(RtfRoundTrip, damagedPngBytes_areKeptByteForByte) {
  // A PNG whose header reads but whose data is broken: the page keeps it as it
  // came rather than dropping it on the next save.
  QByteArray bytes = PngBytes(Quadrants(8, 8));
  bytes.truncate(bytes.size() - 20);
  QTextDocument document;
  QTextCursor cursor(&document);
  InsertPageImage(cursor, bytes);
  const QByteArray rtf = RtfWriter().write(document);
  EXPECT_TRUE(rtf.contains(bytes.toHex().left(100)));
  QTextDocument again;
  RtfReader().read(rtf, again);
  EXPECT_EQ(again.toPlainText(), QString(QChar(0xFFFC)));
  EXPECT_EQ(RtfWriter().write(again), rtf);
}
