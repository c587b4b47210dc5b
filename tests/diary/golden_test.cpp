// Golden files: RTF written by other programs beside the text picture of the
// document this reader must make of it (<name>.rtf and <name>.expected).
// ORLANE_UPDATE_GOLDEN=1 rewrites the expected files after a reviewed change.
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "document_dump.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace orlane;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList GoldenInputs() {
  return QDir(ORLANE_DIARY_GOLDEN).entryList({"*.rtf"}, QDir::Files, QDir::Name);
}

}  // namespace

TEST(GoldenRtf, everyInputReadsToItsExpectedDocumentAndSurvivesOurWriter) {
  const QStringList inputs = GoldenInputs();
  ASSERT_FALSE(inputs.isEmpty());
  const bool update = qEnvironmentVariableIntValue("ORLANE_UPDATE_GOLDEN") == 1;
  for (const QString& name : inputs) {
    SCOPED_TRACE(name.toStdString());
    const QString base = QString(ORLANE_DIARY_GOLDEN) + "/" + name.chopped(4);
    QTextDocument document;
    RtfReader reader;
    ASSERT_TRUE(reader.read(ReadAll(base + ".rtf"), document));
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    const QString dump = test::DumpDocument(document);
    if (update) {
      QFile out(base + ".expected");
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(dump.toUtf8());
    }
    EXPECT_EQ(dump.toStdString(), QString::fromUtf8(ReadAll(base + ".expected")).toStdString());

    // What we read, we write and read back unchanged.
    QTextDocument again;
    ASSERT_TRUE(reader.read(RtfWriter().write(document), again));
    EXPECT_EQ(test::DumpDocument(again).toStdString(), dump.toStdString());
  }
}
