#include "days/day_files.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace orlane;
using test::RunProgram;

namespace {
test::ProgramRun Ctl(const QStringList& args, const QByteArray& input = {}) {
  return RunProgram(QStringLiteral(ORLANE_CTL_PATH), args, input);
}
QStringList Args(const char* line) {
  return QString::fromUtf8(line).split(QLatin1Char(' '));
}
}  // namespace

TEST(OrlanectlScramble, filtersStandardInputBothWays) {
  QByteArray all;
  for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));
  const auto scrambled = Ctl(Args("scramble"), all);
  ASSERT_EQ(scrambled.exitCode, 0);
  EXPECT_EQ(scrambled.out, Scrambled(all));
  const auto back = Ctl(Args("unscramble"), scrambled.out);
  EXPECT_EQ(back.out, all);
  EXPECT_EQ(Ctl(Args("scramble extra")).exitCode, 2);
}

TEST(OrlanectlUserFile, initOnceThenCheck) {
  test::TempUserFolder folder;
  EXPECT_EQ(Ctl(Args("user-file check pw")).exitCode, 3);
  EXPECT_EQ(Ctl(Args("user-file init pw")).exitCode, 0);
  EXPECT_EQ(folder.read(QStringLiteral("user.sav")).size(), 8);
  EXPECT_EQ(Ctl(Args("user-file init other")).exitCode, 1);
  EXPECT_EQ(Ctl(Args("user-file check pw")).exitCode, 0);
  EXPECT_EQ(Ctl(Args("user-file check PW")).exitCode, 3);
  EXPECT_EQ(Ctl({QStringLiteral("user-file"), QStringLiteral("check"), QString(33, QLatin1Char('x'))}).exitCode, 2);
}

TEST(OrlanectlUserFile, passwordFromTheEnvironmentNeverCutAndArgumentsWarned) {
  test::TempUserFolder folder;
  const QByteArray right(32, 'k');
  qputenv("ORLANE_PASSWORD", right);
  const auto init = Ctl(Args("user-file init"));
  EXPECT_EQ(init.exitCode, 0);
  EXPECT_EQ(init.err, "");
  EXPECT_EQ(Ctl(Args("user-file check")).exitCode, 0);
  // 33 characters whose first 32 are right: refused with a message, not cut.
  qputenv("ORLANE_PASSWORD", right + "k");
  const auto longer = Ctl(Args("user-file check"));
  EXPECT_EQ(longer.exitCode, 2);
  EXPECT_EQ(longer.err, "a password has at most 32 bytes\n");
  EXPECT_EQ(Ctl(Args("diary export 2006-01-02")).exitCode, 2);
  qunsetenv("ORLANE_PASSWORD");
  // No password and no terminal: a usage error, never an empty password.
  EXPECT_EQ(Ctl(Args("user-file check")).exitCode, 2);
  // The argument form still works, with one line of warning.
  const auto argument = Ctl({QStringLiteral("user-file"), QStringLiteral("check"), QString::fromLatin1(right)});
  EXPECT_EQ(argument.exitCode, 0);
  EXPECT_TRUE(argument.err.startsWith("warning: a password given as an argument"));
  EXPECT_EQ(argument.err.count('\n'), 1);
}

TEST(OrlanectlReminders, addListRemoveRoundTrip) {
  test::TempUserFolder folder;
  ASSERT_EQ(Ctl({QStringLiteral("reminders"), QStringLiteral("add"), QStringLiteral("2006-01-02"),
                 QStringLiteral("08:30:00"), QStringLiteral("--note"), QStringLiteral("Hi")})
                .exitCode,
            0);
  // Exactly the bytes of the 33-byte example, scrambled.
  ReminderMap expected{{"08:30:00", "<Alarm is active>\r\nHi"}};
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.alm")), Scrambled(SerializeReminderDay(expected)));

  EXPECT_EQ(Ctl(Args("reminders add 2006-01-02 07:00:00 --beep --repeat --inactive")).exitCode, 0);
  const auto taken = Ctl(Args("reminders add 2006-01-02 08:30:00"));
  EXPECT_EQ(taken.exitCode, 1);
  EXPECT_EQ(taken.err, "Reminder 08:30:00 already exists.\n");

  const auto text = Ctl(Args("reminders list 2006-01-02"));
  EXPECT_EQ(text.out, "07:00:00\tinactive\trepeat\tBeep Only\t\n08:30:00\tactive\tonce\t-\tHi\n");
  const auto json = Ctl(Args("reminders list 2006-01-02 --json"));
  const QJsonArray array = QJsonDocument::fromJson(json.out).array();
  ASSERT_EQ(array.size(), 2);
  EXPECT_EQ(array[1].toObject().value(QStringLiteral("note")).toString(), QStringLiteral("Hi"));
  EXPECT_TRUE(array[0].toObject().value(QStringLiteral("repeat")).toBool());

  EXPECT_EQ(Ctl(Args("reminders remove 2006-01-02 09:00:00")).exitCode, 1);
  EXPECT_EQ(Ctl(Args("reminders remove 2006-01-02 07:00:00")).exitCode, 0);
  EXPECT_EQ(Ctl(Args("reminders remove 2006-01-02 08:30:00")).exitCode, 0);
  EXPECT_FALSE(folder.exists(QStringLiteral("07d60102.alm")));
  EXPECT_EQ(Ctl(Args("reminders list 2006-01-02")).out, "");
}

TEST(OrlanectlReminders, damagedFileIsNeverRewritten) {
  test::TempUserFolder folder;
  ReminderMap two{{"08:00:00", "\r\na"}, {"09:00:00", "\r\nb"}};
  const QByteArray damaged = Scrambled(SerializeReminderDay(two).chopped(3));
  folder.write(QStringLiteral("07d60102.alm"), damaged);
  EXPECT_EQ(Ctl(Args("reminders add 2006-01-02 10:00:00")).exitCode, 5);
  EXPECT_EQ(Ctl(Args("reminders remove 2006-01-02 08:00:00")).exitCode, 5);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.alm")), damaged);
  const auto list = Ctl(Args("reminders list 2006-01-02"));
  EXPECT_EQ(list.exitCode, 5);
  EXPECT_EQ(list.out, "08:00:00\tinactive\tonce\t-\ta\n");
}

TEST(OrlanectlReminders, usageErrors) {
  test::TempUserFolder folder;
  EXPECT_EQ(Ctl(Args("reminders add 2006-01-02 8:30:00")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("reminders add 2006-13-02 08:30:00")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("reminders add 2006-01-02 08:30:00 --beep --media /x.wav")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("reminders remove 2006-01-02 08:30:00 --beep")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("reminders list 2006-01-02 --bogus")).exitCode, 2);
  EXPECT_EQ(Ctl(Args("reminders add 2006-01-02 08:30:00 --note")).exitCode, 2);
}
