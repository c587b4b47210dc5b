#include "reminders/day_search.h"
#include "days/day_files.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
void Reminders(const char* key, ReminderMap map) {
  ASSERT_EQ(SaveReminderDay(DayFilePath(QLatin1String(key), DayFileKind::Reminders), map), WriteResult::Written);
}

// A stand-in page format for these tests: the page's bytes are its text, and
// "[obj]" marks an embedded object.
DiaryPageText PlainPage(const QByteArray& rtf) {
  return {QString::fromUtf8(rtf), rtf.contains("[obj]")};
}

void Page(const test::TempUserFolder& f, const char* key, const QByteArray& text, const QByteArray& password = "pw") {
  f.write(QLatin1String(key) + QStringLiteral(".dia"), WrapWithPasswordHeader(text, password));
}
}  // namespace

TEST(FindText, caseAndWholeWordRules) {
  EXPECT_EQ(FindText(QStringLiteral("Meet Bob at noon"), QStringLiteral("bob"), false, false), 5);
  EXPECT_EQ(FindText(QStringLiteral("Meet Bob at noon"), QStringLiteral("bob"), true, false), -1);
  EXPECT_EQ(FindText(QStringLiteral("Bobby and Bob"), QStringLiteral("Bob"), true, true), 10);
  EXPECT_EQ(FindText(QStringLiteral("snob_bob bob"), QStringLiteral("bob"), false, true), 9);
  EXPECT_EQ(FindText(QStringLiteral("x"), QString(), false, false), -1);
  EXPECT_EQ(FindText(QStringLiteral("aaa"), QStringLiteral("a"), false, false, 2), 2);
}

TEST(FindText, utf8TextFindsAsItsDecodedString_withOneFinderForMany) {
  const TextFinder finder(QStringLiteral("größe"), false, true);
  for (const QByteArray& text : {QByteArray("Die GRÖSSE ist die Größe"), QByteArray("\xEF\xBB\xBFgröße"),
                                 QByteArray("cut \xC3 größe"), QByteArray("größer"), QByteArray(), QByteArray("g")})
    EXPECT_EQ(finder.findUtf8(text), finder.find(QString::fromUtf8(text))) << text.toStdString();
  EXPECT_EQ(finder.findUtf8("\xEF\xBB\xBFgröße"), 0);  // a leading byte order mark is no character
}

TEST(DaySearch, remindersMatchOnlyTheirNotesAndEachDayOnce) {
  test::TempUserFolder folder;
  Reminders("07d60102", {{"08:00:00", "/music/dentist.ogg<Alarm is active>\r\nCall mum"},
                         {"09:00:00", "\r\nCall the dentist"},
                         {"10:00:00", "\r\ncall dentist again"}});
  Reminders("07d60103", {{"08:00:00", "dentist, but no line break"}});
  Reminders("07d60104", {{"08:00:00", "<Alarm is active>\r\nnothing"}});
  Reminders("07d60105", {{"08:00:00", "\r\nthe note says <Alarm is active> but it is not"}});
  SearchOptions o;
  o.term = QStringLiteral("dentist");
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, o, {}, {}).dayKeys, QStringList{QStringLiteral("07d60102")});

  SearchOptions all;  // empty term: every day with a proper reminder
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, all, {}, {}).dayKeys,
            (QStringList{QStringLiteral("07d60102"), QStringLiteral("07d60104"), QStringLiteral("07d60105")}));
  all.activeOnly = true;
  o.activeOnly = true;
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, all, {}, {}).dayKeys,
            (QStringList{QStringLiteral("07d60102"), QStringLiteral("07d60104")}));
  // The only active reminder of 2 January does not mention the dentist in its note.
  EXPECT_TRUE(SearchDayFiles(SearchKind::Reminders, o, {}, {}).dayKeys.isEmpty());
}

TEST(DaySearch, rangeIsInclusiveAndAnEmptyRangeFindsNothing) {
  test::TempUserFolder folder;
  for (const char* key : {"07d60102", "07d60103", "07d60104", "07d60105"}) Reminders(key, {{"08:00:00", "\r\nx"}});
  SearchOptions o;
  o.fromKey = MakeDayKey(2006, 1, 3);
  o.toKey = MakeDayKey(2006, 1, 4);
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, o, {}, {}).dayKeys,
            (QStringList{QStringLiteral("07d60103"), QStringLiteral("07d60104")}));
  o.fromKey = MakeDayKey(2006, 1, 5);
  o.toKey = MakeDayKey(2006, 1, 3);
  const SearchResult none = SearchDayFiles(SearchKind::Reminders, o, {}, {});
  EXPECT_TRUE(none.dayKeys.isEmpty());
  EXPECT_EQ(SearchStatusMessage(SearchKind::Reminders, 0), QStringLiteral("0 reminders found."));
}

TEST(DaySearch, diaryPagesUnderAnotherPasswordMatchOnlyAnEmptyTerm) {
  test::TempUserFolder folder;
  Page(folder, "07d60102", "walked the dog [obj]");
  Page(folder, "07d60103", "walked to work");
  Page(folder, "07d60104", "the dog again", "other");
  SearchOptions o;
  o.term = QStringLiteral("dog");
  EXPECT_EQ(SearchDayFiles(SearchKind::Diary, o, "pw", &PlainPage).dayKeys, QStringList{QStringLiteral("07d60102")});
  SearchOptions all;
  EXPECT_EQ(SearchDayFiles(SearchKind::Diary, all, "pw", &PlainPage).dayKeys.size(), 3);
  all.hasPicture = true;
  EXPECT_EQ(SearchDayFiles(SearchKind::Diary, all, "pw", &PlainPage).dayKeys, QStringList{QStringLiteral("07d60102")});
}

TEST(DaySearch, progressCountsAllFilesAndCanStop) {
  test::TempUserFolder folder;
  for (const char* key : {"07d60102", "07d60103", "07d60104"}) Reminders(key, {{"08:00:00", "\r\nx"}});
  SearchOptions o;
  o.fromKey = MakeDayKey(2006, 1, 3);
  QList<int> totals;
  const SearchResult r = SearchDayFiles(SearchKind::Reminders, o, {}, {}, [&](int i, int total) {
    totals << total;
    return i < 1;
  });
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.dayKeys, QStringList{QStringLiteral("07d60103")});
  EXPECT_EQ(totals, (QList<int>{3, 3}));
}

TEST(DaySearch, resultEntriesInEachDateFormatReadBack) {
  EXPECT_EQ(SearchResultEntry(QStringLiteral("07d60102"), 0), QStringLiteral("01/02/2006"));
  EXPECT_EQ(SearchResultEntry(QStringLiteral("07d60102"), 1), QStringLiteral("02/01/2006"));
  EXPECT_EQ(SearchResultEntry(QStringLiteral("07d60102"), 2), QStringLiteral("2006/01/02"));
  EXPECT_TRUE(SearchResultEntry(QStringLiteral("07d60102"), 3).isEmpty());
  for (int format : {0, 1, 2})
    EXPECT_EQ(DayKeyOfSearchEntry(SearchResultEntry(QStringLiteral("07d60102"), format), format),
              QStringLiteral("07d60102"));
  EXPECT_FALSE(DayKeyOfSearchEntry(QString(), 0).has_value());
  EXPECT_FALSE(DayKeyOfSearchEntry(QStringLiteral("13/45/2006"), 0).has_value());
}
