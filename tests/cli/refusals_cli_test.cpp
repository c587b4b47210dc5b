// What orlanectl refuses, and that it says so: a user folder that is not
// there, a media file that is not there, a page it would replace, bad dates
// and times, a wrong password, and days the search cannot look into.
#include "reminders/reminder_day.h"
#include "security/scramble.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <sys/stat.h>

using namespace orlane;

namespace {
test::ProgramRun Ctl(const QStringList& args) {
  return test::RunProgram(QStringLiteral(ORLANE_CTL_PATH), args);
}
QStringList Args(const QString& line) {
  return line.split(QLatin1Char(' '));
}
}  // namespace

TEST(OrlanectlRefusals, missingUserFolder_isNamedAndLeftAlone_untilCreateMakesItPrivate) {
  test::TempUserFolder folder;
  const QString missing = folder.root() + QStringLiteral("Typo");
  for (const char* command :
       {"reminders list 2006-01-02", "reminders add 2006-01-02 08:00:00", "settings show", "search x --reminders"}) {
    const auto run = Ctl(Args(QStringLiteral("--user-dir ") + missing + QLatin1Char(' ') + QLatin1String(command)));
    EXPECT_EQ(run.exitCode, 5) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(run.err, "The user folder does not exist: " + missing.toUtf8() + " (--create makes it)\n") << command;
  }
  EXPECT_FALSE(QFileInfo::exists(missing));
  // Commands that do not touch the user folder run without one.
  EXPECT_EQ(Ctl(Args(QStringLiteral("--user-dir ") + missing + QStringLiteral(" daykey 2006-01-02"))).out,
            "07d60102\n");
  ASSERT_EQ(Ctl(Args(QStringLiteral("--user-dir ") + missing +
                     QStringLiteral(" reminders add 2006-01-02 08:00:00 "
                                    "--create")))
                .exitCode,
            0);
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(missing).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  EXPECT_TRUE(QFileInfo::exists(missing + QStringLiteral("/07d60102.alm")));
}

TEST(OrlanectlRefusals, badDatesTimesAndMediaSayWhatIsWrong) {
  test::TempUserFolder folder;
  const std::pair<const char*, const char*> cases[] = {
      {"reminders list 2006-13-01", "not a date: 2006-13-01\n"},
      {"reminders add 2006-02-30 08:00:00", "not a date: 2006-02-30\n"},
      {"reminders add 2006-01-02 25:00:00", "not a time: 25:00:00\n"},
      {"reminders remove 2006-01-02 8:00", "not a time: 8:00\n"},
      {"daykey tomorrow", "not a date: tomorrow\n"},
      {"search x --reminders --to 2006-1-2", "not a date: 2006-1-2\n"},
      {"diary export 06-01-02", "not a date: 06-01-02\n"},
  };
  for (const auto& [line, message] : cases) {
    const auto run = Ctl(Args(QLatin1String(line)));
    EXPECT_EQ(run.exitCode, 2) << line;
    EXPECT_EQ(run.err, message) << line;
  }
  const QString nowhere = folder.root() + QStringLiteral("gone.wav");
  const auto media = Ctl(Args(QStringLiteral("reminders add 2006-01-02 08:00:00 --media ") + nowhere));
  EXPECT_EQ(media.exitCode, 1);
  EXPECT_EQ(media.err, "The media file does not exist: " + nowhere.toUtf8() + "\n");
  EXPECT_FALSE(folder.exists(QStringLiteral("07d60102.alm")));
  folder.write(QStringLiteral("../here.wav"), "RIFF");
  EXPECT_EQ(Ctl(Args(QStringLiteral("reminders add 2006-01-02 08:00:00 --media ") + folder.root() +
                     QStringLiteral("here.wav")))
                .exitCode,
            0);
}

TEST(OrlanectlRefusals, wrongPasswordIsSaid_andImportKeepsThePageItReplaces) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args(QStringLiteral("user-file init pw"))).exitCode, 0);
  const auto wrong = Ctl(Args(QStringLiteral("user-file check nope")));
  EXPECT_EQ(wrong.exitCode, 3);
  EXPECT_TRUE(wrong.err.endsWith("wrong password\n")) << wrong.err.constData();

  folder.write(QStringLiteral("../one.rtf"), "{\\rtf1\\ansi one}");
  folder.write(QStringLiteral("../two.rtf"), "{\\rtf1\\ansi two}");
  const QString import = QStringLiteral("--password pw diary import 2006-01-02 ") + folder.root();
  ASSERT_EQ(Ctl(Args(import + QStringLiteral("one.rtf"))).exitCode, 0);
  const QByteArray first = folder.read(QStringLiteral("07d60102.dia"));
  const auto refused = Ctl(Args(import + QStringLiteral("two.rtf")));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains("There is a diary page on 2006-01-02 already")) << refused.err.constData();
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.dia")), first);
  ASSERT_EQ(Ctl(Args(import + QStringLiteral("two.rtf --replace"))).exitCode, 0);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.dia.replaced-1")), first);
  ASSERT_EQ(Ctl(Args(import + QStringLiteral("one.rtf --replace"))).exitCode, 0);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.dia.replaced-2")), WrapWithPasswordHeader("{\\rtf1\\ansi two}", "pw"));
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.dia")), first);
  // The kept pages are no days of their own.
  EXPECT_EQ(Ctl(Args(QStringLiteral("--password pw search one --diary"))).out, "2006-01-02\n");
}

TEST(OrlanectlRefusals, searchNamesTheDamagedDaysItCouldNotLookInto) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl(Args(QStringLiteral("user-file init pw"))).exitCode, 0);
  ASSERT_EQ(Ctl(Args(QStringLiteral("reminders add 2006-01-02 08:00:00 --note dentist"))).exitCode, 0);
  // A reminder file cut inside its first pair, a page that is not RTF, a file shorter than its header.
  const QByteArray whole = folder.read(QStringLiteral("07d60102.alm"));
  folder.write(QStringLiteral("07d60103.alm"), whole.left(whole.size() - 3));
  folder.write(QStringLiteral("07d60104.dia"), WrapWithPasswordHeader("not rtf at all", "pw"));
  folder.write(QStringLiteral("07d60105.dia"), "short");
  folder.write(QStringLiteral("07d60106.dia"), WrapWithPasswordHeader("{\\rtf1 other}", "someone"));

  const auto reminders = Ctl(Args(QStringLiteral("search dentist --reminders")));
  EXPECT_EQ(reminders.exitCode, 5);
  EXPECT_EQ(reminders.out, "2006-01-02\n");
  EXPECT_EQ(reminders.err,
            "damaged, not searched: 2006-01-03 (" + folder.file(QStringLiteral("07d60103.alm")).toUtf8() + ")\n");
  const auto diary = Ctl(Args(QStringLiteral("--password pw search x --diary")));
  EXPECT_EQ(diary.exitCode, 5);
  EXPECT_TRUE(diary.err.contains("damaged, not searched: 2006-01-04 (")) << diary.err.constData();
  EXPECT_TRUE(diary.err.contains("damaged, not searched: 2006-01-05 (")) << diary.err.constData();
  EXPECT_FALSE(diary.err.contains("2006-01-06")) << diary.err.constData();  // another password's page is whole
  EXPECT_EQ(Ctl(Args(QStringLiteral("search dentist --reminders --to 2006-01-02"))).exitCode, 0);
}
