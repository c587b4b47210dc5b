// The iCalendar mapping: the program's own items come back as they left,
// what other programs write is taken by its rules, hostile text is refused.
#include "ical/ical_item.h"
#include "reminders/reminder_value.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace orlane;

namespace {

const IcalItem* Only(const IcalReadResult& read) {
  return read.items.size() == 1 ? &read.items.front() : nullptr;
}

TEST(IcalItem, ownItems_roundTripByteForByte) {
  Reminder r;
  r.media = kBeepOnly;
  r.active = true;
  r.repeat = true;
  r.note = "Dentist\r\nbring the card";
  const IcalItem reminder = MakeReminderItem(QStringLiteral("07ea0c09"), "14:30:05", BuildReminderValue(r));
  const QByteArray text = IcalItemText(reminder);
  EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR"));
  EXPECT_NE(text.indexOf("SUMMARY:Dentist"), -1);
  EXPECT_NE(text.indexOf("BEGIN:VALARM"), -1);
  const IcalReadResult read = ReadIcalItems(text);
  const IcalItem* back = Only(read);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, IcalItemKind::Reminder);
  EXPECT_EQ(back->dayKey, reminder.dayKey);
  EXPECT_EQ(back->timeKey, reminder.timeKey);
  EXPECT_EQ(back->value, reminder.value);
  EXPECT_EQ(back->uid, reminder.uid);
  EXPECT_FALSE(back->foreign);

  const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dear diary,\\par {\\b bold} words\\par}";
  const IcalItem page = MakeDiaryPageItem(QStringLiteral("07ea0c09"), rtf);
  const IcalReadResult pageRead = ReadIcalItems(IcalItemText(page));
  const IcalItem* pageBack = Only(pageRead);
  ASSERT_TRUE(pageBack);
  EXPECT_EQ(pageBack->kind, IcalItemKind::DiaryPage);
  EXPECT_EQ(pageBack->rtf, rtf);

  // One calendar of several items reads back in order.
  const IcalReadResult both = ReadIcalItems(IcalCalendarText({reminder, page}));
  ASSERT_EQ(both.items.size(), 2u);
  EXPECT_EQ(both.items[0].kind, IcalItemKind::Reminder);
  EXPECT_EQ(both.items[1].kind, IcalItemKind::DiaryPage);
  EXPECT_TRUE(both.skipped.empty());
}

TEST(IcalItem, foreignCalendar_takesEventsTodosJournals_andSaysWhatItSkipped) {
  const QByteArray foreign =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
      "BEGIN:VEVENT\r\nUID:a@x\r\nDTSTART:20261210T090000\r\nSUMMARY:Call\r\n"
      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:b@x\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:Eve\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:c@x\r\nDTSTART:20261207T180000\r\nRRULE:FREQ=WEEKLY\r\n"
      "EXDATE:20261214T180000\r\nSUMMARY:Choir\r\nEND:VEVENT\r\n"
      "BEGIN:VTODO\r\nUID:d@x\r\nDUE:20261211T120000\r\nSUMMARY:Tax\r\nEND:VTODO\r\n"
      "BEGIN:VJOURNAL\r\nUID:e@x\r\nDTSTART;VALUE=DATE:20261209\r\nDESCRIPTION:A quiet day\r\nEND:VJOURNAL\r\n"
      "BEGIN:X-FOO\r\nUID:f@x\r\nEND:X-FOO\r\n"
      "END:VCALENDAR\r\n";
  const IcalReadResult read = ReadIcalItems(foreign);
  ASSERT_TRUE(read.isCalendar);
  ASSERT_EQ(read.items.size(), 5u);
  EXPECT_EQ(read.items[0].timeKey, "08:45:00");  // the alarm's time
  EXPECT_EQ(read.items[1].timeKey, "09:00:00");  // all day
  EXPECT_EQ(read.items[1].dayKey, QStringLiteral("07ea0c18"));
  EXPECT_EQ(read.items[2].kind, IcalItemKind::Series);
  EXPECT_EQ(read.items[2].series.skipped.size(), 1u);
  EXPECT_EQ(read.items[3].timeKey, "12:00:00");  // the to-do's due time
  EXPECT_EQ(read.items[4].kind, IcalItemKind::DiaryPage);
  for (const IcalItem& item : read.items) EXPECT_TRUE(item.foreign);
  ASSERT_EQ(read.skipped.size(), 1u);
  EXPECT_EQ(read.skipped[0].uid, "f@x");
  EXPECT_FALSE(read.skipped[0].reason.isEmpty());

  // Cut anywhere, or flipped bytes: never a crash, and never more items than whole.
  auto* random = QRandomGenerator::global();
  for (qsizetype cut = 0; cut < foreign.size(); cut += 7) {
    const IcalReadResult part = ReadIcalItems(foreign.left(cut));
    EXPECT_LE(part.items.size(), read.items.size());
    QByteArray flipped = foreign;
    flipped[random->bounded(static_cast<int>(flipped.size()))] = static_cast<char>(random->bounded(256));
    (void)ReadIcalItems(flipped);
  }
  EXPECT_FALSE(ReadIcalItems("").isCalendar);
  EXPECT_FALSE(ReadIcalItems(QByteArray(100000, '\xff')).isCalendar);
  EXPECT_FALSE(ReadIcalItems("BEGIN:VCARD\r\nEND:VCARD\r\n").isCalendar);
}

}  // namespace
