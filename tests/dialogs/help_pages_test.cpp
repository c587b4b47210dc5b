// Every help topic the program opens has its page, in the sources and beside
// the built program, and every link of a page leads to another page.
#include "dialogs/help_topic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace orlane {
namespace {

const QString kSourcePages = QStringLiteral(ORLANE_SOURCE_DIR "/res/help/");
const QString kBuiltPages = QStringLiteral(ORLANE_APP_DIR "/help/");

QString ReadPage(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpPages, everyTopicHasItsPageInTheSourcesAndBesideTheProgram) {
  for (const char* topic : help::kAllTopics) {
    const QString page = ReadPage(kSourcePages + QLatin1String(topic));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Orlane 2 - "))) << topic;
    EXPECT_EQ(ReadPage(kBuiltPages + QLatin1String(topic)), page) << topic;
  }
}

TEST(HelpPages, linksLeadToPagesAndEveryPageIsReachedFromTheIndex) {
  const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
  QSet<QString> reached;
  const QStringList pages = QDir(kSourcePages).entryList({QStringLiteral("*.htm")}, QDir::Files);
  ASSERT_EQ(pages.size(), static_cast<qsizetype>(std::size(help::kAllTopics)));
  for (const QString& name : pages) {
    for (const QRegularExpressionMatch& m : link.globalMatch(ReadPage(kSourcePages + name))) {
      const QString target = m.captured(1).section(QLatin1Char('#'), 0, 0);
      const std::string where = (name + QStringLiteral(" -> ") + target).toStdString();
      EXPECT_FALSE(target.contains(QLatin1Char(':')) || target.contains(QLatin1Char('/'))) << where;
      EXPECT_TRUE(QFileInfo::exists(kSourcePages + target)) << where;
      if (name == QLatin1String(help::kIndex)) reached.insert(target);
    }
  }
  for (const char* topic : help::kAllTopics) {
    const QLatin1String name(topic);
    EXPECT_TRUE(name == QLatin1String(help::kIndex) || reached.contains(name)) << topic;
  }
}

}  // namespace
}  // namespace orlane
