#include "security/scramble.h"
#include "sound/wav_image.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFile>

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
