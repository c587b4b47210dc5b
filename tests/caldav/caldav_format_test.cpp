// The CalDAV answers and the sync state file as the sync reads them, and what
// they do with hostile bytes.
#include "caldav/dav_client.h"
#include "caldav/dav_xml.h"
#include "caldav/sync_state.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

namespace orlane {
namespace {

const QByteArray kSyncAnswer = R"(<?xml version="1.0"?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
 <response><href>/u/cal/</href><propstat><prop><resourcetype><collection/><C:calendar/></resourcetype>
   <displayname>Work</displayname><supported-report-set><supported-report><report><sync-collection/></report>
   </supported-report></supported-report-set><C:supported-calendar-component-set><C:comp name="VEVENT"/>
   </C:supported-calendar-component-set></prop><status>HTTP/1.1 200 OK</status></propstat></response>
 <response><href>/u/cal/a%20b.ics</href><propstat><prop><getetag>"e1"</getetag>
   <C:calendar-data>BEGIN:VCALENDAR&#13;
END:VCALENDAR</C:calendar-data><unknown><deep><deeper/></deep></unknown></prop>
   <status>HTTP/1.1 200 OK</status></propstat>
   <propstat><prop><displayname>hidden</displayname></prop><status>HTTP/1.1 404 Not Found</status></propstat></response>
 <response><href>/u/cal/gone.ics</href><status>HTTP/1.1 404 Not Found</status></response>
 <sync-token>http://radicale.org/ns/sync/42</sync-token>
</multistatus>)";

TEST(CalDavAnswer, readsCalendarsChangesAndRemovals) {
  const DavMultiStatus m = ParseMultiStatus(kSyncAnswer);
  ASSERT_TRUE(m.ok) << m.error.toStdString();
  ASSERT_EQ(m.responses.size(), 3u);
  EXPECT_TRUE(m.responses[0].isCalendar);
  EXPECT_TRUE(m.responses[0].offersSyncCollection);
  EXPECT_EQ(m.responses[0].displayName, "Work");
  EXPECT_EQ(m.responses[0].components, QStringList{"VEVENT"});
  EXPECT_EQ(m.responses[1].href, "/u/cal/a%20b.ics");
  EXPECT_EQ(m.responses[1].etag, "e1");
  EXPECT_EQ(m.responses[1].calendarData, "BEGIN:VCALENDAR\r\nEND:VCALENDAR");
  EXPECT_EQ(m.responses[1].displayName, "");  // only 2xx propstats count
  EXPECT_EQ(m.responses[2].status, 404);
  EXPECT_EQ(m.syncToken, "http://radicale.org/ns/sync/42");
  EXPECT_EQ(ParseStatusLine(u"HTTP/1.1 207 Multi-Status"), 207);
  EXPECT_EQ(ParseStatusLine(u"garbage"), 0);
}

TEST(CalDavAnswer, hostileAnswersAreRefusedWhole) {
  for (qsizetype cut = 1; cut < kSyncAnswer.size(); cut += 37) {
    const DavMultiStatus m = ParseMultiStatus(kSyncAnswer.left(cut));
    EXPECT_FALSE(m.ok) << cut;
    EXPECT_TRUE(m.responses.empty());
  }
  EXPECT_FALSE(ParseMultiStatus("<html>no</html>").ok);
  EXPECT_FALSE(ParseMultiStatus(QByteArray(kDavMaxAnswerBytes + 1, ' ')).ok);
  const QByteArray deep = "<d:multistatus xmlns:d=\"DAV:\"><d:response>" + QByteArray("<x>").repeated(100000) +
                          QByteArray("</x>").repeated(100000) + "</d:response></d:multistatus>";
  EXPECT_TRUE(ParseMultiStatus(deep).ok);
  test::RandomBytes random(7);
  for (int i = 0; i < 2000; ++i) ParseMultiStatus("<multistatus xmlns=\"DAV:\">" + random.bytes(300));
}

TEST(CalDavAnswer, serverAddressesNeedEncryptionUnlessLoopbackOrSaid) {
  EXPECT_EQ(ServerUrlFromText("dav.example.org/cal").toString(), "https://dav.example.org/cal");
  EXPECT_EQ(ServerUrlFromText("127.0.0.1:5232").toString(), "http://127.0.0.1:5232/");
  EXPECT_EQ(ServerUrlFromText("http://dav.example.org").scheme(), "http");
  QString why;
  EXPECT_TRUE(ServerUrlFromText("ftp://dav.example.org", &why).isEmpty());
  EXPECT_FALSE(why.isEmpty());
  EXPECT_TRUE(ServerUrlFromText("  ").isEmpty());
}

TEST(SyncStateFile, roundTripsScrambledAndKeepsWhatItDoesNotKnow) {
  test::TempUserFolder folder;
  SyncState s;
  s.server = "https://dav.example.org/";
  s.user = "anna";
  s.calendarName = "Work\tand play";
  s.collection = "https://dav.example.org/anna/work/";
  s.syncCollection = true;
  s.token = "tok%en\n";
  s.items["R 7ea0c09 08:30:00"] = {"/anna/work/x%20y.ics", "uid-1", "e\"1", "abc"};
  s.items["S uid-2"] = {"/anna/work/2.ics", "uid-2", "e2", "def"};
  s.otherLines.push_back("future\tfield");
  ASSERT_EQ(SaveSyncState(SyncStateFilePath(), s), WriteResult::Written);
  QByteArray raw;
  ASSERT_EQ(ReadFileBytes(SyncStateFilePath(), raw), FileReadResult::Ok);
  EXPECT_FALSE(raw.contains("anna"));
  SyncState back;
  ASSERT_EQ(LoadSyncState(SyncStateFilePath(), back), SyncStateLoad::Ok);
  EXPECT_EQ(back, s);
  EXPECT_EQ(back.keyOfHref("/anna/work/2.ics"), "S uid-2");
  EXPECT_EQ(LoadSyncState(folder.user() + "none.dat", back), SyncStateLoad::Missing);
}

TEST(SyncStateFile, hostileBytesNeverCrashAndReadAgainTheSame) {
  SyncState s;
  EXPECT_EQ(ParseSyncState("not ours", s), SyncStateLoad::Damaged);
  EXPECT_EQ(ParseSyncState("", s), SyncStateLoad::Damaged);
  ASSERT_EQ(ParseSyncState("orlane-sync 1\nitem\tonly-two\nitem\t\ta\tb\tc\td\nserver\t%zz%", s), SyncStateLoad::Ok);
  EXPECT_TRUE(s.items.empty());
  EXPECT_EQ(s.otherLines.size(), 2u);
  test::RandomBytes random(11);
  for (int i = 0; i < 3000; ++i) {
    SyncState first, second;
    if (ParseSyncState("orlane-sync 1\n" + random.bytes(400), first) != SyncStateLoad::Ok) continue;
    ASSERT_EQ(ParseSyncState(SerializeSyncState(first), second), SyncStateLoad::Ok);
    EXPECT_EQ(SerializeSyncState(second), SerializeSyncState(first));
  }
}

}  // namespace
}  // namespace orlane
