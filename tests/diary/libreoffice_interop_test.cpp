// LibreOffice reads our export back: text, emphasis, colour, centring,
// bullets, the picture, tables, links and footnotes. Skipped where soffice
// is not installed.
#include "diary/page_objects.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "document_dump.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace orlane;
using orlane::test::FirstTable;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Converts an RTF file with soffice; returns the converted file's bytes.
QByteArray Convert(const QTemporaryDir& dir, const QString& rtfPath, const QString& format, const QString& filter) {
  const QString soffice = QStandardPaths::findExecutable("soffice");
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(soffice, {"-env:UserInstallation=file://" + dir.path() + "/profile", "--headless", "--convert-to",
                          format + ":" + filter, "--outdir", dir.path() + "/out", rtfPath});
  if (!process.waitForFinished(120000)) return {};
  return ReadAll(dir.path() + "/out/" + QFileInfo(rtfPath).completeBaseName() + "." + format);
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A Writer page in LibreOffice's flat XML: a heading, a link, a footnote, a
// table of two rows and two cells, a bulleted list and a picture.
QByteArray WriterPage() {
  QImage picture(16, 12, QImage::Format_RGB32);
  picture.fill(qRgb(220, 20, 20));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.text"><office:body><office:text>
<text:h text:outline-level="1">Trip heading</text:h>
<text:p>See <text:a xlink:type="simple" xlink:href="https://example.org/trip">the trip site</text:a> for more.<text:note
 text:id="n1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>Footnote words
 here.</text:p></text:note-body></text:note></text:p>
<table:table table:name="T1"><table:table-column table:number-columns-repeated="2"/>
<table:table-row><table:table-cell><text:p>A1 cell</text:p></table:table-cell><table:table-cell><text:p>B1 cell</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell><text:p>A2 cell</text:p></table:table-cell><table:table-cell><text:p>B2 cell</text:p></table:table-cell></table:table-row>
</table:table>
<text:list><text:list-item><text:p>First bullet</text:p></text:list-item><text:list-item><text:p>Second bullet</text:p></text:list-item></text:list>
<text:p>Picture: <draw:frame draw:name="P1" text:anchor-type="as-char" svg:width="0.4cm" svg:height="0.3cm"><draw:image><office:binary-data>)" +
         png.toBase64() + R"(</office:binary-data></draw:image></draw:frame> end.</text:p>
</office:text></office:body></office:document>
)";
}

}  // namespace

TEST(LibreOfficeInterop, aWriterPageWithTableLinkFootnoteAndPicture_goesBackToLibreOfficeWhole) {
  if (QStandardPaths::findExecutable("soffice").isEmpty()) GTEST_SKIP() << "soffice is not installed";
  QTemporaryDir dir;
  dir.setAutoRemove(!qEnvironmentVariableIsSet("ORLANE_KEEP_TEMP"));
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(WriteFile(dir.path() + "/page.fodt", WriterPage()));
  const QByteArray rtf = Convert(dir, dir.path() + "/page.fodt", "rtf", "Rich Text Format");
  ASSERT_FALSE(rtf.isEmpty());

  QTextDocument page;
  ASSERT_TRUE(RtfReader().read(rtf, page));
  QTextTable* table = FirstTable(page);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rows(), 2);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("B2 cell"));
  bool link = false, footnote = false, picture = false, bullets = false;
  for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
    bullets = bullets || (block.textList() && block.text() == QStringLiteral("Second bullet"));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      link = link || (format.anchorHref() == QStringLiteral("https://example.org/trip") &&
                      it.fragment().text() == QStringLiteral("the trip site"));
      footnote = footnote || (IsKeptRtf(format) && KeptRtf(format).contains("footnote"));
      picture = picture ||
                (format.isImageFormat() && !IsKeptRtf(format) && !PageImage(page, format.toImageFormat()).isNull());
    }
  }
  EXPECT_TRUE(link);
  EXPECT_TRUE(footnote);
  EXPECT_TRUE(picture);
  EXPECT_TRUE(bullets);
  EXPECT_EQ(page.begin().text(), QStringLiteral("Trip heading"));

  QTextCursor cursor(&page);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QStringLiteral(" added"));
  const QString exportPath = dir.path() + "/export.rtf";
  ASSERT_TRUE(WriteFile(exportPath, RtfWriter().write(page)));
  const QString html = QString::fromUtf8(Convert(dir, exportPath, "html", "XHTML Writer File"));
  ASSERT_FALSE(html.isEmpty());
  EXPECT_EQ(html.count("<tr"), 2) << html.toStdString();
  EXPECT_EQ(html.count("<td"), 4);
  for (const char* cell : {"A1 cell", "B1 cell", "A2 cell", "B2 cell"}) EXPECT_TRUE(html.contains(cell)) << cell;
  EXPECT_TRUE(html.contains("href=\"https://example.org/trip\""));
  EXPECT_TRUE(html.contains("Footnote words here."));
  EXPECT_TRUE(html.contains("<img"));
  EXPECT_TRUE(html.contains("end. added"));
}

TEST(LibreOfficeInterop, ourExportOfALibreOfficePage_readsBackWithItsFormats) {
  if (QStandardPaths::findExecutable("soffice").isEmpty()) GTEST_SKIP() << "soffice is not installed";
  QTextDocument document;
  ASSERT_TRUE(RtfReader().read(ReadAll(QString(ORLANE_DIARY_GOLDEN) + "/libreoffice_formats.rtf"), document));
  QTemporaryDir dir;
  dir.setAutoRemove(!qEnvironmentVariableIsSet("ORLANE_KEEP_TEMP"));
  ASSERT_TRUE(dir.isValid());
  const QString rtfPath = dir.path() + "/export.rtf";
  QFile out(rtfPath);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  ASSERT_TRUE(RtfWriter().write(document, out));
  out.close();

  const QString html = QString::fromUtf8(Convert(dir, rtfPath, "html", "XHTML Writer File"));
  ASSERT_FALSE(html.isEmpty());
  EXPECT_TRUE(html.contains(QString::fromUtf8("Accents: café, naïve, Größe, Ærø and the euro sign € here.")));
  EXPECT_TRUE(html.contains("font-weight:bold")) << html.toStdString();
  EXPECT_TRUE(html.contains("font-style:italic"));
  EXPECT_TRUE(html.contains("text-decoration:underline"));
  EXPECT_TRUE(html.contains("#ff0000"));
  EXPECT_TRUE(html.contains("text-align:center"));
  EXPECT_TRUE(html.contains("<ul") || html.contains("<li"));
  EXPECT_TRUE(html.contains("<img"));
}
