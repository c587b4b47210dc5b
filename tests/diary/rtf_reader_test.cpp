// The reader on RTF as WordPad and Word write it, and on broken input.
#include "diary/rtf_reader.h"
#include "diary/ole_package.h"
#include "diary/page_objects.h"
#include "diary/rtf_picture.h"
#include "diary/rtf_writer.h"
#include "document_dump.h"
#include "support/foreign_page.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace orlane;

namespace {

QString Read(const QByteArray& rtf, bool* error = nullptr) {
  QTextDocument document;
  RtfReader reader;
  EXPECT_TRUE(reader.read(rtf, document));
  if (error) *error = reader.hasError();
  return document.toPlainText();
}

QString Dump(const QByteArray& rtf) {
  QTextDocument document;
  RtfReader().read(rtf, document);
  return test::DumpDocument(document);
}

QByteArray Hex(const QByteArray& bytes) {
  return bytes.toHex();
}

QByteArray PngOf(int w, int h, QRgb color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QList<QTextImageFormat> Images(const QTextDocument& document) {
  QList<QTextImageFormat> images;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) images << it.fragment().charFormat().toImageFormat();
  return images;
}

}  // namespace

TEST(RtfReaderText, codePagesOfDocumentAndFonts) {
  // \'80 is the euro sign in 1252, Cyrillic Be in 1251 (font charset 204), and
  // a two-byte Shift-JIS pair in the Japanese font.
  const QByteArray rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset204 Arial "
      "Cyr;}{\\f2\\fnil\\fcharset128 MS Gothic;}}"
      "\\f0 \\'80 \\f1 \\'c1\\'e5 \\f2 \\'93\\'fa\\'96\\'7b\\f0  caf\\'e9}";
  EXPECT_EQ(Read(rtf), QString::fromUtf8("€ Бе 日本 café"));
  EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}"), QString::fromUtf8("Да"));
  EXPECT_EQ(Read("{\\rtf1\\mac \\'8a}"), QString::fromUtf8("ä"));
  // A code page iconv does not know falls back to 1252.
  EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), QString::fromUtf8("é"));
  // A Shift-JIS lead byte without its trail byte becomes one replacement mark.
  EXPECT_EQ(Read("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 \\'93}"), QString(QChar::ReplacementCharacter));
}

TEST(RtfReaderText, unicodeWithSkipCountsAndSurrogates) {
  EXPECT_EQ(Read("{\\rtf1 \\u8364?\\u8364\\'80 x}"), QString::fromUtf8("€€ x"));
  EXPECT_EQ(Read("{\\rtf1\\uc2 \\u8364\\'80\\'80y\\uc0 \\u8364 z}"), QString::fromUtf8("€y€z"));
  // \uc is scoped to its group.
  EXPECT_EQ(Read("{\\rtf1 {\\uc3 \\u233 abc}\\u233 d}"), QString::fromUtf8("éé"));
  EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?}"), QString::fromUtf8("😀"));
  EXPECT_EQ(Read("{\\rtf1 \\u-10179? x}"), QString(QChar::ReplacementCharacter) + " x");
  EXPECT_EQ(Read("{\\rtf1 \\u-8704? x}"), QString(QChar::ReplacementCharacter) + " x");
  EXPECT_EQ(Read("{\\rtf1 \\u99999999999 ?x}"), QString(QChar::ReplacementCharacter) + "x");
}

TEST(RtfReaderText, specialCharactersAndDestinationsLeftOut) {
  const QByteArray rtf =
      "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\*\\generator X;}"
      "a\\tab b\\line c\\~d\\_e\\-f\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"
      "\\{\\}\\\\{\\*\\bkmkstart m}{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
      "{\\header head}{\\footnote note}{\\v hidden}{\\*\\unknown skipped}{\\unknownword kept}\\par next}";
  // Hidden text, the bookmark, the header, the footnote and the unknown
  // destination are each kept as one object; only the footnote shows.
  EXPECT_EQ(Read(rtf), QString::fromUtf8("a\tb\nc d\u2011ef—–‘’“”•{}\\\uFFFClink\uFFFC\uFFFC\uFFFC\uFFFCkept\nnext"));
}

TEST(RtfReaderText, paragraphsAndTheTrailingMark) {
  EXPECT_EQ(Read("{\\rtf1 one\\par two\\par}"), "one\ntwo");
  EXPECT_EQ(Read("{\\rtf1 one\\par\\par}"), "one\n");
  EXPECT_EQ(Read("{\\rtf1 one\\par two}"), "one\ntwo");
  EXPECT_EQ(Read("{\\rtf1 a\\\n b\\cell c\\row d}"), "a\n b\tc\nd");
  EXPECT_EQ(Read("{\\rtf1 a\\par\\page b\\sect c}"), "a\nb\nc");
  QTextDocument document;
  RtfReader().read("{\\rtf1 a\\par\\page b}", document);
  EXPECT_TRUE(document.lastBlock().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

TEST(RtfReaderFormats, charactersAndParagraphs) {
  const QByteArray rtf =
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 Courier;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\\pard\\qc\\li1440\\ri720\\fi-360\\sb120\\sa240\\sl360\\slmult1 "
      "plain {\\b\\fs28 bold}{\\i0\\i italic}{\\ul under\\ulnone not}{\\strike s\\strike0 n}"
      "{\\cf1\\highlight2 red on blue}{\\f0 mono}{\\plain reset}{\\super up}{\\b0 x}\\par"
      "\\pard\\qj justified\\par\\pard\\qr right}";
  EXPECT_EQ(Dump(rtf).toStdString(),
            "P centre list=none li=96 fi=-24 ri=48 sb=8 sa=16 line=150/1\n"
            "  \"plain \" font=Times New Roman size=12\n"
            "  \"bold\" font=Times New Roman size=14 bold\n"
            "  \"italic\" font=Times New Roman size=12 italic\n"
            "  \"under\" font=Times New Roman size=12 underline\n"
            "  \"not\" font=Times New Roman size=12\n"
            "  \"s\" font=Times New Roman size=12 strike\n"
            "  \"n\" font=Times New Roman size=12\n"
            "  \"red on blue\" font=Times New Roman size=12 fg=#ff0000 bg=#0000ff\n"
            "  \"mono\" font=Courier size=12\n"
            "  \"reset\" font=Times New Roman size=12\n"
            "  \"up\" font=Times New Roman size=12 super\n"
            "  \"x\" font=Times New Roman size=12\n"
            "P justify list=none\n"
            "  \"justified\" font=Times New Roman size=12\n"
            "P right list=none\n"
            "  \"right\" font=Times New Roman size=12\n");
}

// A paragraph's format is the one in force at its end, however its runs,
// a table started inside it or a paragraph separator in its text fall.
TEST(RtfReaderFormats, paragraphFormatsAroundRunsTablesAndSeparators) {
  EXPECT_EQ(Dump("{\\rtf1\\pard\\qc a\\par\\qr{\\b b}c\\qc\\par\\qj{\\i d}\\par}").toStdString(),
            "P centre list=none\n  \"a\" font=- size=12\n"
            "P centre list=none\n  \"b\" font=- size=12 bold\n  \"c\" font=- size=12\n"
            "P justify list=none\n  \"d\" font=- size=12 italic\n");
  // The paragraph a table starts in never ends: it keeps the plain format.
  EXPECT_EQ(Dump("{\\rtf1\\pard x\\par\\qc{\\b a}\\intbl b\\cell\\row\\pard\\qr c\\par}").toStdString(),
            "P left list=none\n  \"x\" font=- size=12\n"
            "P left list=none\n  \"a\" font=- size=12 bold\n"
            "P centre list=none\n  \"b\" font=- size=12\n"
            "P right list=none\n  \"c\" font=- size=12\n");
  EXPECT_EQ(Dump("{\\rtf1\\pard x\\par\\qc{\\b a}b\\u8233?c\\par}").toStdString(),
            "P left list=none\n  \"x\" font=- size=12\n"
            "P left list=none\n  \"a\" font=- size=12 bold\n  \"b\" font=- size=12\n"
            "P centre list=none\n  \"c\" font=- size=12\n");
}

TEST(RtfReaderFormats, missingTablesAndBadIndexesAreHarmless) {
  EXPECT_EQ(Dump("{\\rtf1 \\f7\\cf9\\cb3\\fs-5 text}").toStdString(), "P left list=none\n  \"text\" font=- size=12\n");
  EXPECT_EQ(Dump("{\\rtf1\\fs99999999999\\li-99999999999 huge}").toStdString(),
            "P left list=none li=-8448 fi=0\n  \"huge\" font=- size=1638\n");
}

TEST(RtfReaderLists, wordSixNumberingAndWordListTables) {
  const QByteArray pn =
      "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
      "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 one\\par "
      "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 two\\par "
      "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart1{\\pntxta.}}\\fi-360\\li1440 roman\\par "
      "\\pard after}";
  EXPECT_EQ(Dump(pn).toStdString(),
            "P left list=bullet/1\n  \"one\" font=Arial size=12\n"
            "P left list=bullet/1\n  \"two\" font=Arial size=12\n"
            "P left list=ROMAN/2\n  \"roman\" font=Arial size=12\n"
            "P left list=none\n  \"after\" font=Arial size=12\n");
  QTextDocument document;
  RtfReader().read(pn, document);
  EXPECT_EQ(document.begin().textList(), document.begin().next().textList());  // one list, two items

  const QByteArray ls =
      "{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}}"
      "\\listid10}{\\list{\\listlevel\\levelnfc4{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
      "{\\listlevel\\levelnfc0}\\listid20}}"
      "{\\*\\listoverridetable{\\listoverride\\listid20\\listoverridecount0\\ls2}"
      "{\\listoverride\\listid10\\listoverridecount0\\ls1}}"
      "{\\listtext\\'95\\tab}\\ls1 dot\\par\\pard{\\listtext a.\\tab}\\ls2 alpha\\par"
      "\\pard{\\listtext 1.\\tab}\\ls2\\ilvl1 deeper\\par\\pard\\ls7 unknown\\par}";
  EXPECT_EQ(Dump(ls).toStdString(),
            "P left list=bullet/1\n  \"dot\" font=- size=12\n"
            "P left list=alpha/1\n  \"alpha\" font=- size=12\n"
            "P left list=alpha/2\n  \"deeper\" font=- size=12\n"
            "P left list=bullet/1\n  \"unknown\" font=- size=12\n");
}

TEST(RtfReaderPictures, pngJpegDibAndWbitmapAreShown) {
  const QByteArray png = PngOf(4, 2, qRgb(0, 255, 0));
  QByteArray dib(40, '\0');  // 2x1, 24 bits: a blue and a red pixel, rows padded to 4 bytes
  dib[0] = 40, dib[4] = 2, dib[8] = 1, dib[12] = 1, dib[14] = 24;
  dib.append(QByteArray::fromHex("ff00000000ff0000"));
  const QByteArray rtf = "{\\rtf1 {\\pict\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300 " + Hex(png) +
                         "}{\\pict\\dibitmap0\\picscalex200\\picscaley100 " + Hex(dib) +
                         "}{\\pict\\wbitmap0\\picw8\\pich2\\wbmbitspixel1\\wbmwidthbytes2 f0f00f0f}"
                         "{\\pict\\pngblip\\bin" +
                         QByteArray::number(png.size()) + " " + png + "}}";
  QTextDocument document;
  RtfReader reader;
  ASSERT_TRUE(reader.read(rtf, document));
  EXPECT_FALSE(reader.hasError());
  const auto images = Images(document);
  ASSERT_EQ(images.size(), 4);
  EXPECT_EQ(images[0].width(), 40);  // 600 twips
  EXPECT_EQ(images[0].height(), 20);
  EXPECT_EQ(PageImage(document, images[0]).pixel(0, 0), qRgb(0, 255, 0));
  const QImage bitmap = PageImage(document, images[1]);
  ASSERT_EQ(bitmap.size(), QSize(2, 1));
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(bitmap.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(images[1].width(), 4);  // scaled to 200 % across
  const QImage mono = PageImage(document, images[2]);
  ASSERT_EQ(mono.size(), QSize(8, 2));
  EXPECT_EQ(mono.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(mono.pixel(7, 0), qRgb(0, 0, 0));
  EXPECT_EQ(mono.pixel(0, 1), qRgb(0, 0, 0));
  EXPECT_EQ(PageImage(document, images[3]).size(), QSize(4, 2));
}

TEST(RtfReaderPictures, metafileAlternativesAndBrokenPictures) {
  const QByteArray png = Hex(PngOf(3, 3, qRgb(1, 2, 3)));
  // Word: the PNG in \shppict, a metafile for old readers in \nonshppict.
  QTextDocument word;
  RtfReader().read("{\\rtf1{\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}}", word);
  EXPECT_EQ(Images(word).size(), 1);
  // An EMF we cannot draw, with a PNG alternative after it: shown by the PNG,
  // the pair kept as it came.
  QTextDocument emf;
  const QByteArray pair = "{\\*\\shppict{\\pict\\emfblip 0100}}{\\nonshppict{\\pict\\pngblip " + png + "}}";
  RtfReader().read("{\\rtf1 a" + pair + "b}", emf);
  ASSERT_EQ(Images(emf).size(), 1);
  EXPECT_EQ(PageImage(emf, Images(emf)[0]).size(), QSize(3, 3));
  EXPECT_EQ(KeptRtf(Images(emf)[0]), pair);
  EXPECT_EQ(emf.toPlainText(), QStringLiteral("a\uFFFCb"));
  // Damaged pictures are kept as they came (but one the input never closes),
  // the text around them stays.
  const QByteArray broken =
      "{\\rtf1 a{\\pict\\pngblip 89504e47}b{\\pict\\dibitmap0 28000000ffffff7fffffff7f0100}c"
      "{\\pict\\wbitmap0\\picw100000\\pich100000 00}d{\\pict\\jpegblip zz}e{\\pict\\bin999999 ff}}";
  EXPECT_EQ(Read(broken), "a\uFFFCb\uFFFCc\uFFFCd\uFFFCe");
}

TEST(RtfReaderObjects, packageObjectBecomesAttachmentOtherObjectsShowTheirResult) {
  const QByteArray icon = Hex(PngOf(5, 6, qRgb(9, 9, 9)));
  const QByteArray package = Hex(EncodeOlePackage({QString::fromUtf8("plan é.txt"), "file body"}));
  QTextDocument document;
  RtfReader().read("{\\rtf1 x{\\object\\objemb{\\*\\objclass Package}{\\*\\objdata " + package +
                       "}{\\result{\\pict\\pngblip " + icon +
                       "}}}y"
                       "{\\object\\objemb{\\*\\objclass Excel.Sheet.8}{\\*\\objdata 0105000002000000}"
                       "{\\result{\\pict\\pngblip " +
                       icon + "}}}z}",
                   document);
  EXPECT_EQ(document.toPlainText(), QString("x") + QChar(0xFFFC) + "y" + QChar(0xFFFC) + "z");
  const auto images = Images(document);
  ASSERT_EQ(images.size(), 2);
  ASSERT_TRUE(IsAttachment(images[0]));
  EXPECT_EQ(AttachmentName(images[0]), QString::fromUtf8("plan é.txt"));
  EXPECT_EQ(AttachmentData(images[0]), "file body");
  EXPECT_EQ(PageImage(document, images[0]).size(), QSize(5, 6));
  EXPECT_FALSE(IsAttachment(images[1]));
}

TEST(OlePackage, encodeDecodeAndRefusals) {
  const OlePackage original{"a.bin", QByteArray("\0\1\2", 3)};
  const QByteArray stream = EncodeOlePackage(original);
  OlePackage decoded;
  ASSERT_TRUE(DecodeOlePackage(stream, decoded));
  EXPECT_EQ(decoded.fileName, "a.bin");
  EXPECT_EQ(decoded.data, original.data);
  // Every truncation short of the native data is refused; the trailer is optional.
  for (qsizetype n = 0; n < stream.size() - 8; ++n) {
    OlePackage part;
    EXPECT_FALSE(DecodeOlePackage(QByteArrayView(stream).first(n), part)) << n;
  }
  QByteArray lying = stream;
  lying[stream.lastIndexOf("a.bin") + 6 + 3] = '\x7f';  // a data size far beyond the stream
  OlePackage out;
  EXPECT_FALSE(DecodeOlePackage(lying, out));
  QByteArray otherClass = stream;
  otherClass.replace("Package", "Paintbr");
  EXPECT_FALSE(DecodeOlePackage(otherClass, out));
}

TEST(RtfReaderDamage, notRtfIsRefusedAndDocumentKept) {
  QTextDocument document;
  document.setPlainText("keep me");
  RtfReader reader;
  EXPECT_FALSE(reader.read("plain text", document));
  EXPECT_TRUE(reader.hasError());
  EXPECT_EQ(reader.errorString(), "The text is not RTF.");
  EXPECT_EQ(document.toPlainText(), "keep me");
  EXPECT_FALSE(reader.read(QByteArray(), document));
  EXPECT_TRUE(reader.read("\xEF\xBB\xBF \r\n{\\rtf1 bom}", document));
  EXPECT_EQ(document.toPlainText(), "bom");
}

TEST(RtfReaderDamage, truncatedUnbalancedAndTrailingGarbage) {
  bool error = false;
  EXPECT_EQ(Read("{\\rtf1 one\\par {\\b two", &error), "one\ntwo");
  EXPECT_TRUE(error);
  EXPECT_EQ(Read("{\\rtf1 one}} trailing {\\b ignored}", &error), "one");
  EXPECT_FALSE(error);
  EXPECT_EQ(Read("{\\rtf1 a\\", &error), "a");
  EXPECT_EQ(Read("{\\rtf1 a\\'", &error), "a");
  EXPECT_EQ(Read("{\\rtf1 a\\'4", &error), "a");                   // a control character is not page text
  EXPECT_EQ(Read("{\\rtf1 {\\pict\\pngblip 89504e", &error), "");  // a group never closed cannot be kept
  EXPECT_EQ(Read("{\\rtf1 {\\fonttbl{\\f0 Ari", &error), "");
  EXPECT_TRUE(error);
}

TEST(RtfReaderDamage, deepNestingIsCutOffNotFollowed) {
  QByteArray rtf = "{\\rtf1 top";
  rtf += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}";
  bool error = false;
  EXPECT_EQ(Read(rtf, &error), "top end");
  EXPECT_TRUE(error);
  QByteArray fine = "{\\rtf1 " + QByteArray(300, '{') + "kept" + QByteArray(300, '}') + "}";
  EXPECT_EQ(Read(fine, &error), "kept");
  EXPECT_FALSE(error);
}

TEST(RtfReaderDamage, randomAndMutatedInputNeverCrashes) {
  QRandomGenerator random(20261208);
  const QByteArray seed =
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 G;}}{\\colortbl;\\red1\\green2\\blue3;}"
      "{\\*\\listtable{\\list{\\listlevel\\levelnfc0}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
      "\\ls1\\f0\\cf1 \\'93\\'fa\\u8364?{\\pict\\pngblip 89504e470d0a1a0a}{\\object{\\*\\objdata 0105}"
      "{\\result{\\pict\\wbitmap0\\picw2\\pich2 ffff}}}\\par}";
  static constexpr char kAlphabet[] = "{}\\*'0123456789abcdef-uc pictbinrtf;";
  for (int round = 0; round < 3000; ++round) {
    QByteArray input = round % 2 ? seed : test::ForeignPage();
    const int edits = 1 + random.bounded(12);
    for (int e = 0; e < edits; ++e) {
      const int at = random.bounded(static_cast<int>(input.size()) + 1);
      switch (random.bounded(3)) {
        case 0: input.insert(at, kAlphabet[random.bounded(static_cast<int>(sizeof kAlphabet - 1))]); break;
        case 1:
          if (at < input.size()) input.remove(at, 1 + random.bounded(8));
          break;
        default: input.truncate(at); break;
      }
    }
    if (round % 10 == 0) {
      input = "{\\rtf1 ";
      for (int i = 0; i < 200; ++i) input.append(static_cast<char>(random.bounded(256)));
    }
    QTextDocument document;
    RtfReader reader;
    reader.read(input, document);
    // What was read, kept groups and hidden text included, reads back the same from our writing.
    const QByteArray written = RtfWriter().write(document);
    QTextDocument again;
    ASSERT_TRUE(RtfReader().read(written, again));
    ASSERT_EQ(again.toPlainText(), document.toPlainText()) << input.toStdString();
  }
  SUCCEED();
}

TEST(RtfReaderDamage, manyListsAndListReferences_stayLinear) {
  QByteArray rtf = "{\\rtf1{\\*\\listtable";
  for (int i = 1; i <= 1000; ++i) rtf += "{\\list{\\listlevel\\levelnfc0}\\listid" + QByteArray::number(i) + "}";
  rtf += "}{\\*\\listoverridetable";
  for (int i = 1; i <= 1000; ++i)
    rtf += "{\\listoverride\\listid" + QByteArray::number(i) + "\\ls" + QByteArray::number(i) + "}";
  rtf += "}";
  for (int i = 0; i < 20000; ++i) rtf += "\\ls" + QByteArray::number(1 + i % 1000);
  rtf += " numbered\\par}";
  QTextDocument document;
  RtfReader().read(rtf, document);
  ASSERT_NE(document.begin().textList(), nullptr);
  EXPECT_EQ(document.begin().textList()->format().style(), QTextListFormat::ListDecimal);
}

TEST(RtfReaderPictures, tinyDibAskingForAHugeImage_isRefused) {
  QByteArray dib(40, '\0');
  dib[0] = 40;
  dib[5] = 0x20;  // 8192 wide
  dib[9] = 0x20;  // 8192 high
  dib[12] = 1, dib[14] = 24;
  dib.append("\xff\xff\xff\xff");
  EXPECT_TRUE(DecodeDib(dib).isNull());
  dib[16] = 1;  // run-length compressed: still far too few bytes
  EXPECT_TRUE(DecodeDib(dib).isNull());
}

TEST(RtfReaderText, readFromDevice_andLoadingIsNotAnUndoableEdit) {
  QByteArray bytes = "{\\rtf1 from a device}";
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QTextDocument document;
  document.setPlainText("typed");
  RtfReader reader;
  ASSERT_TRUE(reader.read(buffer, document));
  EXPECT_EQ(document.toPlainText(), "from a device");
  EXPECT_TRUE(document.isUndoRedoEnabled());
  EXPECT_FALSE(document.isUndoAvailable());
  QBuffer closed;
  EXPECT_FALSE(reader.read(closed, document));
  EXPECT_EQ(document.toPlainText(), "from a device");
}

TEST(RtfReaderFormats, tablesWithoutTheirLastSemicolon) {
  EXPECT_EQ(Dump("{\\rtf1{\\fonttbl{\\f0 Arial}{\\f1{\\*\\panose 0}Times}}{\\colortbl;\\red255\\green0\\blue0}"
                 "\\f1\\cf1 t}")
                .toStdString(),
            "P left list=none\n  \"t\" font=Times size=12 fg=#ff0000\n");
  EXPECT_EQ(Dump("{\\rtf1{\\fonttbl\\f0 Arial;\\f1 Courier New;}\\f1 flat}").toStdString(),
            "P left list=none\n  \"flat\" font=Courier New size=12\n");
}

TEST(RtfReaderPictures, shapePicturesAndTheirResults) {
  const QByteArray png = Hex(PngOf(2, 2, qRgb(4, 5, 6)));
  QTextDocument shape;
  RtfReader().read("{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\pngblip " + png +
                       "}}}{\\sp{\\sn posh}{\\sv 2}}}{\\shprslt{\\pict\\pngblip " + png + "}}}b}",
                   shape);
  EXPECT_EQ(shape.toPlainText(), QString("a") + QChar(0xFFFC) + "b");
  QTextDocument resultOnly;
  RtfReader().read(
      "{\\rtf1 {\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 255}}{\\shptxt box}}{\\shprslt{\\pict\\pngblip " + png +
          "}}}}",
      resultOnly);
  EXPECT_EQ(resultOnly.toPlainText(), QString("box") + QChar(0xFFFC));
}
