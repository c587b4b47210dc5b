#include "reminders/day_search.h"
#include "days/day_files.h"
#include "reminders/recurring_file.h"
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

// A day file of the given pairs in the given order, as another writer may
// leave it; cut to its first cut bytes when given.
void RawDay(const test::TempUserFolder& f, const char* key,
            std::initializer_list<std::pair<QByteArray, QByteArray>> pairs, qsizetype cut = -1) {
  QByteArray plain;
  plain += static_cast<char>(pairs.size());
  plain += '\0';
  for (const auto& [time, value] : pairs)
    plain += static_cast<char>(time.size()) + time + static_cast<char>(value.size()) + value;
  f.write(QLatin1String(key) + QStringLiteral(".alm"), Scrambled(cut < 0 ? plain : plain.left(cut)));
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

TEST(FindText, asciiTextFindsAsTheDecodedString_evenWhereLettersFoldOntoAscii) {
  // The Kelvin sign folds onto 'k', the long s onto 's'; the dotted capital I
  // is a letter beyond ASCII whose lower case is 'i' plus a mark.
  const QList<QByteArray> texts{"Ask the kelvin KELVIN",
                                "\xE2\x84\xAA"
                                "elvin",
                                "Mi\xC5\xBF\xC5\xBFion mission",
                                "\xC4\xB0stanbul istanbul",
                                "0123456789abcdefghi\xC5\xBF",
                                "0123456789abcdef\xC5\xBF",
                                "a_kelvin kelvin_ kelvin",
                                "",
                                "k",
                                "short"};
  for (const QString& needle : {QStringLiteral("kelvin"), QStringLiteral("KELVIN"), QStringLiteral("ss"),
                                QStringLiteral("i"), QStringLiteral("İ"), QStringLiteral("K"), QStringLiteral("ſ"),
                                QStringLiteral("f\u017F"), QStringLiteral("a longer needle than text")})
    for (const bool matchCase : {false, true})
      for (const bool wholeWord : {false, true}) {
        const TextFinder finder(needle, matchCase, wholeWord);
        for (const QByteArray& text : texts) {
          const qsizetype expected = finder.find(QString::fromUtf8(text));
          EXPECT_EQ(finder.findUtf8(text), expected) << needle.toStdString() << " in " << text.toStdString();
          EXPECT_TRUE(expected < 0 || finder.mayFindUtf8In(text));
        }
      }
  EXPECT_FALSE(TextFinder(QStringLiteral("tulips"), false, false).mayFindUtf8In("no such flowers"));
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

TEST(DaySearch, dayFilesOfOtherWritersMatchAsTheirMapsHoldThem) {
  test::TempUserFolder folder;
  // A repeated key keeps its last value; keys out of order; damage keeps the pairs before it.
  RawDay(folder, "07d60102", {{"08:00:00", "\r\ndentist"}, {"08:00:00", "\r\nother"}});
  RawDay(folder, "07d60103", {{"09:00:00", "\r\nother"}, {"08:00:00", "\r\ndentist"}});
  RawDay(folder, "07d60104", {{"08:00:00", "\r\nother"}, {"08:00:00", "\r\ndentist"}});
  RawDay(folder, "07d60105", {{"08:00:00", "\r\ndentist"}, {"09:00:00", "\r\nother"}}, 23);
  RawDay(folder, "07d60106", {{"07:00:00", "\r\nother"}, {"09:00:00", "\r\ndentist"}}, 30);
  SearchOptions o;
  o.term = QStringLiteral("dentist");
  const QStringList expected{QStringLiteral("07d60103"), QStringLiteral("07d60104"), QStringLiteral("07d60105")};
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, o, {}, {}).dayKeys, expected);
  for (const QString& path : CollectDayFiles(SearchKind::Reminders)) {
    ReminderMap map;
    LoadReminderDay(path, map);
    const bool inMap = std::any_of(map.begin(), map.end(), [](const auto& e) { return e.second.endsWith("dentist"); });
    EXPECT_EQ(ReminderFileMatches(path, o), inMap) << path.toStdString();
  }

  // A one-off reminder hides the occurrence at its time, in a day out of order too.
  RecurringSet set;
  RecurringReminder walk;
  walk.uid = "walk";
  walk.start = QDate(2006, 1, 2);
  walk.timeKey = "08:00:00";
  walk.rrule = "FREQ=DAILY";
  walk.note = "walk";
  set.series.push_back(walk);
  ASSERT_EQ(SaveRecurringFile(RecurringFilePath(), set), WriteResult::Written);
  o.term = QStringLiteral("walk");
  o.fromKey = MakeDayKey(2006, 1, 2);
  o.toKey = MakeDayKey(2006, 1, 7);
  EXPECT_EQ(SearchDayFiles(SearchKind::Reminders, o, {}, {}).dayKeys,
            (QStringList{QStringLiteral("07d60106"), QStringLiteral("07d60107")}));
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
