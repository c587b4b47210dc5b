#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

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
