#include "security/scramble.h"
#include "sound/wav_image.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

using namespace orlane;

namespace {
test::ProgramRun Ctl(const QStringList& args) {
  return test::RunProgram(QStringLiteral(ORLANE_CTL_PATH), args);
}
QStringList Args(const char* line) {
  return QString::fromUtf8(line).split(QLatin1Char(' '));
}
}  // namespace

TEST(OrlanectlSearch, remindersByTermRangeAndActiveFlag) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args("reminders add 2006-01-02 08:00:00 --note dentist")).exitCode, 0);
  ASSERT_EQ(Ctl(Args("reminders add 2006-01-05 08:00:00 --note Dentist --inactive")).exitCode, 0);
  EXPECT_EQ(Ctl(Args("search dentist --reminders")).out, "2006-01-02\n2006-01-05\n");
  EXPECT_EQ(Ctl(Args("search dentist --reminders --case")).out, "2006-01-02\n");
  EXPECT_EQ(Ctl(Args("search dentist --reminders --active")).out, "2006-01-02\n");
  EXPECT_EQ(Ctl(Args("search dentist --reminders --from 2006-01-03 --json")).out, "[{\"date\":\"2006-01-05\"}]\n");
  EXPECT_EQ(Ctl(Args("search dentist --reminders --diary")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("search dentist --reminders --from 2006-02-30")).exitCode, 2);
}

TEST(OrlanectlSound, exportsTheDaysSoundUnderThePassword) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args("user-file init pw")).exitCode, 0);
  EXPECT_EQ(Ctl(Args("--password pw sound export 2006-01-02 out.wav")).exitCode, 1);
  folder.write(QStringLiteral("07d60102.rec"),
               WrapWithPasswordHeader(BuildWavImage(WaveFormat::Pcm(8000, 8), "abc"), "pw"));
  const QString out = folder.root() + QStringLiteral("out.wav");
  EXPECT_EQ(Ctl({QStringLiteral("--password"), QStringLiteral("pw"), QStringLiteral("sound"), QStringLiteral("export"),
                 QStringLiteral("2006-01-02"), out})
                .exitCode,
            0);
  QFile f(out);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), BuildWavImage(WaveFormat::Pcm(8000, 8), "abc"));
  EXPECT_EQ(Ctl(Args("--password nope sound export 2006-01-02 x.wav")).exitCode, 3);
  folder.write(QStringLiteral("07d60102.rec"), WrapWithPasswordHeader("x", "someone"));
  EXPECT_EQ(Ctl(Args("--password pw sound export 2006-01-02 x.wav")).exitCode, 4);
}

TEST(OrlanectlSound, craftedSoundFilesEndWithAMessageAndStatus5) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args("user-file init pw")).exitCode, 0);
  // The fmt chunk at the very end of the image, and a format of 32768
  // channels with a byte rate near 4 GB.
  QByteArray atEnd = BuildWavImage(WaveFormat::Pcm(8000, 8), "x").left(36);
  atEnd[4] = 28;
  WaveFormat huge = WaveFormat::Pcm(8000, 16);
  huge.channels = 32768;
  huge.averageBytesPerSecond = 0xFFFFFFF0u;
  const std::pair<QByteArray, QByteArray> cases[] = {
      {atEnd, "Audio Read Error:4\n"}, {BuildWavImage(huge, QByteArray(4096, 'x')), "Audio Open Error:8:32\n"}};
  for (const auto& [image, message] : cases) {
    folder.write(QStringLiteral("07d60102.rec"), WrapWithPasswordHeader(image, "pw"));
    QElapsedTimer clock;
    clock.start();
    const auto run = Ctl(Args("--password pw sound export 2006-01-02 x.wav"));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.err.endsWith(message)) << run.err.constData();
  }
}

TEST(OrlanectlDiary, importExportAndSearchUnderThePassword) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args("user-file init pw")).exitCode, 0);
  folder.write(QStringLiteral("../page.rtf"), "{\\rtf1\\ansi walked the {\\b dog}\\par caf\\u233? time}");
  const QString page = folder.root() + QStringLiteral("page.rtf");
  ASSERT_EQ(Ctl({QStringLiteral("--password"), QStringLiteral("pw"), QStringLiteral("diary"), QStringLiteral("import"),
                 QStringLiteral("2006-01-02"), page})
                .exitCode,
            0);
  EXPECT_EQ(CheckPasswordHeader(folder.read(QStringLiteral("07d60102.dia")), "pw"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(Ctl(Args("--password pw diary export 2006-01-02 --format txt")).out,
            QString::fromUtf8("walked the dog\ncaf\xC3\xA9 time\n").toUtf8());
  const QByteArray html = Ctl(Args("--password pw diary export 2006-01-02 --format html")).out;
  EXPECT_TRUE(html.contains(">walked the </span>") && html.contains("font-weight:700;\">dog</span>"))
      << html.constData();
  EXPECT_TRUE(Ctl(Args("--password pw diary export 2006-01-02")).out.startsWith("{\\rtf1"));
  EXPECT_EQ(Ctl(Args("--password pw search dog --diary")).out, "2006-01-02\n");
  EXPECT_EQ(Ctl(Args("--password bad diary export 2006-01-02")).exitCode, 3);
  EXPECT_EQ(Ctl(Args("--password pw diary export 2006-01-03")).exitCode, 1);
  folder.write(QStringLiteral("07d60104.dia"), WrapWithPasswordHeader("{\\rtf1 x}", "other"));
  EXPECT_EQ(Ctl(Args("--password pw diary export 2006-01-04")).exitCode, 4);
  EXPECT_EQ(Ctl({QStringLiteral("--password"), QStringLiteral("pw"), QStringLiteral("diary"), QStringLiteral("import"),
                 QStringLiteral("2006-01-04"), page})
                .exitCode,
            4);
}

TEST(OrlanectlDiary, emptyStoredPasswordNeedsNoneAndHtmlKeepsTheLooks) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl({QStringLiteral("user-file"), QStringLiteral("init"), QString()}).exitCode, 0);
  QImage dot(2, 2, QImage::Format_RGB32);
  dot.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  dot.save(&buffer, "PNG");
  folder.write(QStringLiteral("../look.rtf"),
               "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}\\qc {\\b bold} {\\i slanted} {\\cf1 blue}\\par "
               "{\\pict\\pngblip\\picw2\\pich2 " +
                   png.toHex() + "}\\par}");
  const QString page = folder.root() + QStringLiteral("look.rtf");
  ASSERT_EQ(Ctl({QStringLiteral("diary"), QStringLiteral("import"), QStringLiteral("2006-01-02"), page}).exitCode, 0);
  const test::ProgramRun html = Ctl(Args("diary export 2006-01-02 --format html"));
  ASSERT_EQ(html.exitCode, 0) << html.err.constData();
  for (const char* look : {"font-weight:700", "font-style:italic", "color:#0000ff", "align=\"center\"",
                           "src=\"data:image/png;base64,", "<title>Diary 2006-01-02</title>"})
    EXPECT_TRUE(html.out.contains(look)) << look << "\n" << html.out.constData();
}

TEST(OrlanectlDiary, importedTablesAndLinksAreExportedAndSearchedAsThePageShowsThem) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl({QStringLiteral("user-file"), QStringLiteral("init"), QString()}).exitCode, 0);
  folder.write(QStringLiteral("../table.rtf"),
               "{\\rtf1\\ansi See {\\field{\\*\\fldinst HYPERLINK \"https://example.org/trip\"}{\\fldrslt the site}}"
               "{\\super\\chftn{\\*\\footnote \\chftn Footnote words.}}\\par"
               "\\trowd\\cellx2000\\cellx4000\\pard\\intbl apple\\cell\\pard\\intbl pear\\cell\\row"
               "\\trowd\\cellx2000\\cellx4000\\pard\\intbl plum\\cell\\pard\\intbl fig\\cell\\row\\pard end\\par}");
  const QString page = folder.root() + QStringLiteral("table.rtf");
  ASSERT_EQ(Ctl({QStringLiteral("diary"), QStringLiteral("import"), QStringLiteral("2006-01-02"), page}).exitCode, 0);
  const QByteArray html = Ctl(Args("diary export 2006-01-02 --format html")).out;
  EXPECT_EQ(html.count("<tr>"), 2) << html.constData();
  EXPECT_EQ(html.count("<td"), 4);
  EXPECT_TRUE(html.contains("href=\"https://example.org/trip\""));
  EXPECT_EQ(Ctl(Args("diary export 2006-01-02 --format txt")).out, "See the site\napple\npear\nplum\nfig\nend\n");
  EXPECT_EQ(Ctl(Args("search fig --diary --whole-word")).out, "2006-01-02\n");
}
