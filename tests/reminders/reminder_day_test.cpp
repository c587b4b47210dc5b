#include "reminders/reminder_day.h"
#include "days/day_files.h"
#include "platform/archive.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"
#include "support/temp_user_folder.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace orlane;

namespace {
QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QString Path(const test::TempUserFolder& f) {
  return f.file(QStringLiteral("07d60102.alm"));
}
}  // namespace

TEST(ReminderDay, theHiExampleIs33BytesBeforeScrambling) {
  ReminderMap map{{"08:30:00", "<Alarm is active>\r\nHi"}};
  const QByteArray plain = SerializeReminderDay(map);
  EXPECT_EQ(plain.size(), 33);
  EXPECT_EQ(plain, Bytes({0x01, 0x00, 0x08}) + "08:30:00" + Bytes({0x15}) + "<Alarm is active>\r\nHi");

  test::TempUserFolder folder;
  ASSERT_EQ(SaveReminderDay(Path(folder), map), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("07d60102.alm")), Scrambled(plain));
}

TEST(ReminderDay, writesInTimeOrderSoFilesAreDeterministic) {
  ReminderMap a{{"10:00:00", "\r\nb"}, {"09:00:00", "\r\na"}};
  const QByteArray plain = SerializeReminderDay(a);
  EXPECT_LT(plain.indexOf("09:00:00"), plain.indexOf("10:00:00"));
}

TEST(ReminderDay, fileOfAnotherWriter_readsWithAllItsForms) {
  // Long count form, a repeated key, a 255-byte value and a UTF-16 tagged note.
  QByteArray plain = Bytes({0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00});
  plain += Bytes({0x08}) + "09:00:00" + Bytes({0x07}) + "\r\nfirst";
  plain += Bytes({0x08}) + "09:00:00" + Bytes({0xFF, 0xFF, 0x00}) + QByteArray(253, 'v') + "\r\n";
  plain += Bytes({0xFF, 0xFE, 0xFF, 0x08}) + Bytes({'1', 0, '2', 0, ':', 0, '0', 0, '0', 0, ':', 0, '0', 0, '0', 0});
  plain += Bytes({0xFF, 0xFE, 0xFF, 0x05, '\r', 0, '\n', 0, 'N', 0, 0xE9, 0, 0xAC, 0x20});
  test::TempUserFolder folder;
  folder.write(QStringLiteral("07d60102.alm"), Scrambled(plain));

  ReminderMap map;
  EXPECT_EQ(LoadReminderDay(Path(folder), map), ReminderLoadResult::Ok);
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map["09:00:00"].size(), 255);
  EXPECT_EQ(ParseReminderValue(map["12:00:00"]).note, QString::fromUtf8("N\xC3\xA9\xE2\x82\xAC").toUtf8());
}

TEST(ReminderDay, valueOf254And255BytesGetTheirPrefixes) {
  ReminderMap map{{"a", QByteArray(254, 'x')}, {"b", QByteArray(255, 'y')}};
  const QByteArray plain = SerializeReminderDay(map);
  EXPECT_EQ(plain.mid(2 + 2, 1), Bytes({0xFE}));
  EXPECT_EQ(plain.mid(2 + 2 + 1 + 254 + 2, 3), Bytes({0xFF, 0xFF, 0x00}));
}

TEST(ReminderDay, emptyMapDeletesTheFile_evenReadOnly) {
  test::TempUserFolder folder;
  ASSERT_EQ(SaveReminderDay(Path(folder), {{"08:00:00", "\r\n"}}), WriteResult::Written);
  QFile::setPermissions(Path(folder), QFileDevice::ReadOwner);
  EXPECT_EQ(SaveReminderDay(Path(folder), {}), WriteResult::Written);
  EXPECT_FALSE(folder.exists(QStringLiteral("07d60102.alm")));
  EXPECT_EQ(SaveReminderDay(Path(folder), {}), WriteResult::Written);
  ReminderMap map;
  EXPECT_EQ(LoadReminderDay(Path(folder), map), ReminderLoadResult::Missing);
  EXPECT_TRUE(map.empty());
}

TEST(ReminderDay, loadInsertsWithReplaceAndLeavesOtherKeys) {
  test::TempUserFolder folder;
  ASSERT_EQ(SaveReminderDay(Path(folder), {{"08:00:00", "\r\nnew"}}), WriteResult::Written);
  ReminderMap map{{"07:00:00", "\r\nkept"}, {"08:00:00", "\r\nold"}};
  EXPECT_EQ(LoadReminderDay(Path(folder), map), ReminderLoadResult::Ok);
  EXPECT_EQ(map.size(), 2u);
  EXPECT_EQ(map["08:00:00"], "\r\nnew");
}

TEST(ReminderDay, truncatedFile_keepsPairsReadAndIsNotTouched) {
  ReminderMap full{{"08:00:00", "\r\none"}, {"09:00:00", "\r\ntwo"}, {"10:00:00", "\r\nthree"}};
  const QByteArray plain = SerializeReminderDay(full);
  test::TempUserFolder folder;
  for (qsizetype cut = 0; cut < plain.size(); ++cut) {
    const QByteArray stored = Scrambled(plain.left(cut));
    folder.write(QStringLiteral("07d60102.alm"), stored);
    ReminderMap map;
    EXPECT_EQ(LoadReminderDay(Path(folder), map), ReminderLoadResult::Damaged) << cut;
    EXPECT_EQ(folder.read(QStringLiteral("07d60102.alm")), stored);
    for (const auto& [key, value] : map) EXPECT_EQ(full.at(key), value);
    if (cut >= plain.indexOf("09:00:00") - 1) {
      EXPECT_TRUE(map.count("08:00:00"));
    }
  }
}

TEST(ReminderDay, readerGivesThePairsTheMapIsMadeOf_withViewsThatStay) {
  QByteArray plain = Bytes({0x03, 0x00}) + Bytes({0x08}) + "09:00:00" + Bytes({0x04}) + "\r\nab";
  plain += Bytes({0xFF, 0xFE, 0xFF, 0x02, '0', 0, '8', 0}) + Bytes({0xFF, 0xFE, 0xFF, 0x03, '\r', 0, '\n', 0, 0xE9, 0});
  plain += Bytes({0x08}) + "09:00:00" + Bytes({0x03}) + "\r\nz";
  for (qsizetype cut = 0; cut <= plain.size(); ++cut) {
    const QByteArray bytes = plain.left(cut);
    ReminderDayReader day(bytes);
    std::vector<std::pair<QByteArrayView, QByteArrayView>> pairs;
    for (QByteArrayView key, value; day.next(key, value);) pairs.emplace_back(key, value);
    ReminderMap folded;
    for (const auto& [key, value] : pairs) folded.insert_or_assign(key.toByteArray(), value.toByteArray());
    ReminderMap map;
    EXPECT_EQ(day.result(), ParseReminderDay(bytes, map)) << cut;
    EXPECT_EQ(folded, map) << cut;
    EXPECT_EQ(day.result() == ReminderLoadResult::Ok, cut == plain.size()) << cut;
  }
}

TEST(ReminderDay, randomFiles_neverCrashOrChangeOnDisk) {
  test::TempUserFolder folder;
  test::RandomBytes random(2024);
  for (int round = 0; round < 400; ++round) {
    const QByteArray data = random.bytes(300);
    folder.write(QStringLiteral("07d60102.alm"), data);
    ReminderMap map;
    LoadReminderDay(Path(folder), map);
    ASSERT_EQ(folder.read(QStringLiteral("07d60102.alm")), data);
  }
}

TEST(ReminderDay, dayFileNameIsTheDayKey) {
  test::TempUserFolder folder;
  EXPECT_EQ(DayFilePath(2006, 1, 2, DayFileKind::Reminders), Path(folder));
}
