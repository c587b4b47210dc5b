#include "days/settings_file.h"
#include "platform/archive.h"
#include "support/temp_user_folder.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
// The bytes an independent writer of this layout produces for the defaults.
QByteArray ReferenceDefaults() {
  QByteArray b;
  b += QByteArray(
      "\x01"
      "6",
      2);
  b += QByteArray(
      "\x04"
      "8000",
      5);
  b += QByteArray(
      "\x01"
      "8",
      2);
  const std::int32_t ints[14] = {730, 500, 179, 0x00FFFFFF, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1};
  for (std::int32_t v : ints)
    for (int i = 0; i < 4; ++i) b += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return b;
}
}  // namespace

TEST(SettingsFile, defaults_are65ReferenceBytes) {
  const QByteArray bytes = SerializeSettings(Settings{});
  EXPECT_EQ(bytes.size(), 65);
  EXPECT_EQ(bytes, ReferenceDefaults());
}

TEST(SettingsFile, everyFieldRoundTripsByteForByte) {
  test::TempUserFolder folder;
  Settings s;
  s.theme = 3;
  s.sampleRate = 44100;
  s.bitsPerSample = 16;
  s.windowWidth = 1024;
  s.windowHeight = 768;
  s.lastMode = kModeSound;
  s.diaryBackground = 0x00102030;
  s.calendarShown = 1;
  s.searchCase = 1;
  s.searchWholeWord = 1;
  s.hideAtStartup = 1;
  s.launchDeskleaf = 0;
  s.autorun = 1;
  s.loginOnShow = 1;
  s.checkUpdate = 0;
  s.dateFormat = 2;
  s.weekStart = 2;
  const QString path = folder.file(QStringLiteral("Orlane.cfg"));
  ASSERT_EQ(WriteSettingsFile(path, s), WriteResult::Written);
  const QByteArray written = folder.read(QStringLiteral("Orlane.cfg"));
  EXPECT_EQ(written.size(), 2 + 6 + 3 + 56);
  Settings back;
  EXPECT_EQ(ReadSettingsFile(path, back), SettingsReadResult::Ok);
  EXPECT_EQ(back, s);
  EXPECT_EQ(SerializeSettings(back), written);
}

TEST(SettingsFile, missingFile_keepsTheCallersDefaults) {
  test::TempUserFolder folder;
  Settings s;
  s.theme = 4;
  EXPECT_EQ(ReadSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), s), SettingsReadResult::Missing);
  EXPECT_EQ(s.theme, 4);
}

TEST(SettingsFile, fileCutAfterTheTexts_keepsThemAndResetsTheRest) {
  Settings stored;
  stored.theme = 2;
  stored.sampleRate = 22050;
  stored.bitsPerSample = 16;
  const QByteArray cut = SerializeSettings(stored).left(2 + 6 + 3);
  Settings s;
  s.diaryBackground = 0x123456;  // as if an earlier read had set them
  s.dateFormat = 2;
  s.weekStart = 2;
  s.lastMode = kModeDiary;
  EXPECT_EQ(ParseSettings(cut, s), SettingsReadResult::Damaged);
  EXPECT_EQ(s.theme, 2);
  EXPECT_EQ(s.sampleRate, 22050);
  EXPECT_EQ(s.bitsPerSample, 16);
  EXPECT_EQ(s.diaryBackground, kWhite);
  EXPECT_EQ(s.dateFormat, 0);
  EXPECT_EQ(s.weekStart, 1);
  EXPECT_EQ(s.lastMode, kModeReminder);
  EXPECT_EQ(s.windowWidth, 730);
}

TEST(SettingsFile, damageAfterTheLastButOne_stillResetsDateFormatAndWeekStart) {
  Settings stored;
  stored.dateFormat = 2;
  stored.weekStart = 2;
  stored.checkUpdate = 0;
  const QByteArray cut = SerializeSettings(stored).left(65 - 2);
  Settings s;
  EXPECT_EQ(ParseSettings(cut, s), SettingsReadResult::Damaged);
  EXPECT_EQ(s.checkUpdate, 0);
  EXPECT_EQ(s.dateFormat, 0);
  EXPECT_EQ(s.weekStart, 1);
}

TEST(SettingsFile, textsAreReadWithAtoiRules) {
  QByteArray bytes;
  ArchiveWriter w(bytes);
  w.writeString("x");
  w.writeString(" 11025Hz");
  w.writeString("");
  Settings s;
  EXPECT_EQ(ParseSettings(bytes, s), SettingsReadResult::Damaged);
  EXPECT_EQ(s.theme, 0);
  EXPECT_EQ(s.sampleRate, 11025);
  EXPECT_EQ(s.bitsPerSample, 8);  // atoi's 0 is no bit depth: the nearest one offered
}

TEST(SettingsFile, hostileValuesAreClampedOnLoadInTheSameLayout) {
  Settings hostile;
  hostile.theme = 77;
  hostile.sampleRate = 44101;
  hostile.bitsPerSample = 1000;
  hostile.windowWidth = 2000000;
  hostile.windowHeight = -5;
  hostile.lastMode = 9999;
  hostile.diaryBackground = static_cast<std::int32_t>(0xFF123456u);
  hostile.hideAtStartup = -1;
  hostile.dateFormat = 3;
  hostile.weekStart = 0x7FFFFFFF;
  const QByteArray bytes = SerializeSettings(hostile);
  Settings s;
  ASSERT_EQ(ParseSettings(bytes, s), SettingsReadResult::Ok);
  EXPECT_EQ(s.theme, 9);
  EXPECT_EQ(s.sampleRate, 44100);
  EXPECT_EQ(s.bitsPerSample, 16);
  EXPECT_EQ(s.windowWidth, kMaxWindowSide);
  EXPECT_EQ(s.windowHeight, 0);
  EXPECT_EQ(s.lastMode, kModeReminder);
  EXPECT_EQ(s.diaryBackground, 0x123456);
  EXPECT_EQ(s.hideAtStartup, 1);
  EXPECT_EQ(s.dateFormat, 0);
  EXPECT_EQ(s.weekStart, 1);
  // Written back, the file keeps its layout: three short texts, fourteen integers.
  const QByteArray again = SerializeSettings(s);
  EXPECT_EQ(again.size(), 2 + 6 + 3 + 14 * 4);  // "9", "44100", "16"
  Settings back;
  ASSERT_EQ(ParseSettings(again, back), SettingsReadResult::Ok);
  EXPECT_EQ(back, s);
  for (const SettingsField& field : SettingsFields())
    EXPECT_TRUE(IsValidSettingsValue(field, s.*field.member)) << field.name;
}

TEST(SettingsFile, trailingBytes_areIgnored) {
  Settings s;
  EXPECT_EQ(ParseSettings(SerializeSettings(Settings{}) + "junk", s), SettingsReadResult::Ok);
  EXPECT_EQ(s, Settings{});
}

TEST(SettingsFile, windowSizeClamps) {
  Settings s;
  s.windowWidth = 400;
  s.windowHeight = 300;
  ClampWindowSize(s);
  EXPECT_EQ(s.windowWidth, 730);
  EXPECT_EQ(s.windowHeight, 500);
  s.windowWidth = 900;
  ClampWindowSize(s);
  EXPECT_EQ(s.windowWidth, 900);
}

TEST(SettingsFile, startupRead_hasItsOwnDefaultsAndKeepsFiveFields) {
  test::TempUserFolder folder;
  const QString path = folder.file(QStringLiteral("Orlane.cfg"));
  StartupSettings none = ReadStartupSettings(path);
  EXPECT_EQ(none.theme, 1);
  EXPECT_EQ(none.launchDeskleaf, 1);
  EXPECT_EQ(none.weekStart, 1);

  Settings s;
  s.theme = 7;
  s.hideAtStartup = 1;
  s.launchDeskleaf = 0;
  s.dateFormat = 1;
  s.weekStart = 2;
  ASSERT_EQ(WriteSettingsFile(path, s), WriteResult::Written);
  const StartupSettings got = ReadStartupSettings(path);
  EXPECT_EQ(got.theme, 7);
  EXPECT_EQ(got.hideAtStartup, 1);
  EXPECT_EQ(got.launchDeskleaf, 0);
  EXPECT_EQ(got.dateFormat, 1);
  EXPECT_EQ(got.weekStart, 2);

  folder.write(QStringLiteral("Orlane.cfg"), SerializeSettings(s).left(60));
  const StartupSettings damaged = ReadStartupSettings(path);
  EXPECT_EQ(damaged.theme, 7);
  EXPECT_EQ(damaged.hideAtStartup, 1);
  EXPECT_EQ(damaged.dateFormat, 0);
  EXPECT_EQ(damaged.weekStart, 1);
}

TEST(SettingsFile, randomAndHostileBytes_neverCrash) {
  test::RandomBytes random(99);
  for (int round = 0; round < 5000; ++round) {
    QByteArray data = random.bytes(90);
    // Mostly valid prefixes, to reach the later fields.
    if (round % 3 == 0) data = SerializeSettings(Settings{}).left(random.next() % 66) + data;
    Settings s;
    ParseSettings(data, s);
  }
  Settings s;
  EXPECT_EQ(ParseSettings(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), s), SettingsReadResult::Damaged);
}

TEST(SettingsFields, namesAreTheSeventeenInFileOrder) {
  const auto& fields = SettingsFields();
  EXPECT_STREQ(fields.front().name, "theme");
  EXPECT_STREQ(fields[6].name, "diary_background");
  EXPECT_STREQ(fields.back().name, "week_start");
  ASSERT_NE(FindSettingsField(QStringLiteral("sample_rate")), nullptr);
  EXPECT_EQ(FindSettingsField(QStringLiteral("nope")), nullptr);
  EXPECT_TRUE(IsValidSettingsValue(*FindSettingsField(QStringLiteral("sample_rate")), 22050));
  EXPECT_FALSE(IsValidSettingsValue(*FindSettingsField(QStringLiteral("sample_rate")), 22051));
  EXPECT_FALSE(IsValidSettingsValue(*FindSettingsField(QStringLiteral("theme")), 10));
}

TEST(SettingsFile, mergeTakesTheWindowsChangesOverWhatIsOnDisk) {
  Settings base;
  Settings mine = base;
  mine.theme = 3;
  Settings disk = base;
  disk.theme = 5;  // both changed it: the window's value
  disk.dateFormat = 2;
  disk.windowWidth = 900;
  Settings expected = disk;
  expected.theme = 3;
  EXPECT_EQ(MergeSettings(base, mine, disk), expected);
  EXPECT_EQ(MergeSettings(base, base, disk), disk);
}
