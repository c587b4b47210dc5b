#include "holiday_test_folder.h"
#include "support/run_program.h"

#include <gtest/gtest.h>

namespace orlane {
namespace {

TEST(HolidayCommand, printsTheNameOrAnEmptyLine) {
  test::HolidayTestFolder folder;
  folder.write(2005, test::kFourLineHolidays);
  const QString ctl = QStringLiteral(ORLANE_CTL_PATH);
  const test::ProgramRun christmas = test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("2005-12-25")});
  EXPECT_EQ(christmas.exitCode, 0);
  EXPECT_EQ(christmas.out, QByteArray("Christmas\n"));
  const test::ProgramRun none = test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("2005-12-24")});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, QByteArray("\n"));
  const test::ProgramRun otherYear = test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("2006-12-25")});
  EXPECT_EQ(otherYear.out, QByteArray("\n"));
}

TEST(HolidayCommand, badArguments_areUsageErrors) {
  test::HolidayTestFolder folder;
  const QString ctl = QStringLiteral(ORLANE_CTL_PATH);
  EXPECT_EQ(test::RunProgram(ctl, {QStringLiteral("holiday")}).exitCode, 2);
  EXPECT_EQ(test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("2005-02-30")}).exitCode, 2);
  EXPECT_EQ(
      test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("2005-12-25"), QStringLiteral("x")}).exitCode,
      2);
  EXPECT_EQ(test::RunProgram(ctl, {QStringLiteral("holiday"), QStringLiteral("--json"), QStringLiteral("2005-12-25")})
                .exitCode,
            2);
}

}  // namespace
}  // namespace orlane
