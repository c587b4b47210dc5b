// LibreOffice reads our export back: text, emphasis, colour, centring,
// bullets and the picture. Skipped where soffice is not installed.
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace orlane;

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

}  // namespace

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
