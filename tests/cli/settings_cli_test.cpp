#include "days/extra_settings.h"
#include "days/settings_file.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace orlane;
using test::RunProgram;

namespace {
test::ProgramRun Ctl(const QStringList& args) {
  return RunProgram(QStringLiteral(ORLANE_CTL_PATH), args);
}
}  // namespace

TEST(OrlanectlDayKey, printsTheKeyOrRefusesBadDates) {
  test::TempUserFolder folder;
  const auto run = Ctl({QStringLiteral("daykey"), QStringLiteral("2005-12-31")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "07d50c1f\n");
  EXPECT_EQ(Ctl({QStringLiteral("daykey"), QStringLiteral("2005-02-30")}).exitCode, 2);
  EXPECT_EQ(Ctl({QStringLiteral("daykey")}).exitCode, 2);
  EXPECT_EQ(Ctl({QStringLiteral("nosuch")}).exitCode, 2);
  EXPECT_EQ(Ctl({}).exitCode, 2);
}

TEST(OrlanectlSettings, setTheme_writesExactlyTheReferenceBytes) {
  test::TempUserFolder folder;
  ASSERT_EQ(
      Ctl({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("theme"), QStringLiteral("3")}).exitCode,
      0);
  Settings expected;
  expected.theme = 3;
  EXPECT_EQ(folder.read(QStringLiteral("Orlane.cfg")), SerializeSettings(expected));
  EXPECT_EQ(folder.read(QStringLiteral("Orlane.cfg")).size(), 65);
}

TEST(OrlanectlSettings, setKeepsOtherFieldsAndRefusesBadValues) {
  test::TempUserFolder folder;
  Settings s;
  s.weekStart = 2;
  s.windowWidth = 1000;
  ASSERT_EQ(WriteSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), s), WriteResult::Written);
  ASSERT_EQ(Ctl({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("diary_background"),
                 QStringLiteral("0x0000ff")})
                .exitCode,
            0);
  Settings back;
  ReadSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), back);
  EXPECT_EQ(back.diaryBackground, 0xFF);
  EXPECT_EQ(back.weekStart, 2);
  EXPECT_EQ(back.windowWidth, 1000);

  const QByteArray before = folder.read(QStringLiteral("Orlane.cfg"));
  EXPECT_EQ(
      Ctl({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("theme"), QStringLiteral("12")}).exitCode,
      2);
  EXPECT_EQ(
      Ctl({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("colour"), QStringLiteral("1")}).exitCode,
      2);
  EXPECT_EQ(Ctl({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("theme")}).exitCode, 2);
  EXPECT_EQ(folder.read(QStringLiteral("Orlane.cfg")), before);
}

TEST(OrlanectlSettings, showListsSeventeenAsTextOrJson) {
  test::TempUserFolder folder;
  const auto text = Ctl({QStringLiteral("settings"), QStringLiteral("show")});
  ASSERT_EQ(text.exitCode, 0);
  const QList<QByteArray> lines = text.out.trimmed().split('\n');
  const auto keys = ExtraSettingKeys();
  const auto extra =
      static_cast<qsizetype>(std::count_if(keys.begin(), keys.end(), [](const auto& k) { return k.listed; }));
  ASSERT_EQ(lines.size(), 17 + extra);
  EXPECT_EQ(lines.front(), "theme 6");
  EXPECT_EQ(lines[16], "week_start 1");
  EXPECT_EQ(lines[17], "snooze_minutes 5");  // then the additive settings, at their defaults

  const auto json = Ctl({QStringLiteral("settings"), QStringLiteral("show"), QStringLiteral("--json")});
  ASSERT_EQ(json.exitCode, 0);
  const QJsonObject object = QJsonDocument::fromJson(json.out).object();
  EXPECT_EQ(object.size(), 17 + extra);
  EXPECT_EQ(object.value(QStringLiteral("notifications")).toInt(), 1);
  EXPECT_EQ(object.value(QStringLiteral("sample_rate")).toInt(), 8000);
  EXPECT_EQ(object.value(QStringLiteral("diary_background")).toInt(), 0xFFFFFF);
}

TEST(OrlanectlSettings, userDirOption_winsOverTheEnvironment) {
  test::TempUserFolder folder;
  test::TempUserFolder other;  // now ORLANE_USER_DIR points here
  ASSERT_EQ(Ctl({QStringLiteral("--user-dir"), folder.user(), QStringLiteral("settings"), QStringLiteral("set"),
                 QStringLiteral("week_start"), QStringLiteral("2")})
                .exitCode,
            0);
  EXPECT_TRUE(folder.exists(QStringLiteral("Orlane.cfg")));
  EXPECT_FALSE(other.exists(QStringLiteral("Orlane.cfg")));
}

TEST(OrlanectlSettings, additiveSettings_goIntoTheirOwnFileKeepingWhatTheyDoNotKnow) {
  test::TempUserFolder folder;
  folder.write(QStringLiteral("OrlaneExtra.ini"), "# mine\nfuture_key=x\nlate_cancel_hours=3\n");
  const auto set = [](const char* name, const char* value) {
    return Ctl({QStringLiteral("settings"), QStringLiteral("set"), QLatin1String(name), QLatin1String(value)}).exitCode;
  };
  EXPECT_EQ(set("late_cancel_hours", "12"), 0);
  EXPECT_EQ(set("snooze_minutes", "1"), 0);
  EXPECT_EQ(folder.read(QStringLiteral("OrlaneExtra.ini")),
            "# mine\nfuture_key=x\nlate_cancel_hours=12\nsnooze_minutes=1\n");
  EXPECT_FALSE(folder.exists(QStringLiteral("Orlane.cfg")));
  EXPECT_EQ(set("snooze_minutes", "0"), 2);
  EXPECT_EQ(set("snooze_minutes", "1441"), 2);
  EXPECT_EQ(set("notifications", "2"), 2);
  EXPECT_EQ(set("backup_reminder_days", "3651"), 2);
  EXPECT_EQ(set("last_backup", "5"), 2);  // the program's own record, neither shown nor set
  EXPECT_EQ(folder.read(QStringLiteral("OrlaneExtra.ini")),
            "# mine\nfuture_key=x\nlate_cancel_hours=12\nsnooze_minutes=1\n");
  const auto json = Ctl({QStringLiteral("settings"), QStringLiteral("show"), QStringLiteral("--json")});
  EXPECT_EQ(QJsonDocument::fromJson(json.out).object().value(QStringLiteral("late_cancel_hours")).toInt(), 12);
  EXPECT_EQ(QJsonDocument::fromJson(json.out).object().value(QStringLiteral("backup_reminder_days")).toInt(), 7);
  EXPECT_FALSE(QJsonDocument::fromJson(json.out).object().contains(QStringLiteral("last_backup")));
}
