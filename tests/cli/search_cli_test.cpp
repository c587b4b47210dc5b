#include "security/scramble.h"
#include "sound/wav_image.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>

using namespace orlane;

namespace {
test::ProgramRun Ctl(const QStringList& args) { return test::RunProgram(QStringLiteral(ORLANE_CTL_PATH), args); }
QStringList Args(const char* line) { return QString::fromUtf8(line).split(QLatin1Char(' ')); }
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
  folder.write(QStringLiteral("07d60102.rec"), WrapWithPasswordHeader(BuildWavImage(WaveFormat::Pcm(8000, 8), "abc"), "pw"));
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
  EXPECT_TRUE(html.contains(">walked the </span>") && html.contains("font-weight:700;\">dog</span>")) << html.constData();
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
               "{\\pict\\pngblip\\picw2\\pich2 " + png.toHex() + "}\\par}");
  const QString page = folder.root() + QStringLiteral("look.rtf");
  ASSERT_EQ(Ctl({QStringLiteral("diary"), QStringLiteral("import"), QStringLiteral("2006-01-02"), page}).exitCode, 0);
  const test::ProgramRun html = Ctl(Args("diary export 2006-01-02 --format html"));
  ASSERT_EQ(html.exitCode, 0) << html.err.constData();
  for (const char* look : {"font-weight:700", "font-style:italic", "color:#0000ff", "align=\"center\"",
                           "src=\"data:image/png;base64,", "<title>Diary 2006-01-02</title>"})
    EXPECT_TRUE(html.out.contains(look)) << look << "\n" << html.out.constData();
}
