#include "reminders/reminder_value.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(ReminderValue, buildPutsMarkersInOrderAndKeepsCrLf) {
  Reminder r;
  r.active = true;
  EXPECT_EQ(BuildReminderValue(r), "<Alarm is active>\r\n");
  r.media = "/home/me/a.wav";
  r.repeat = true;
  r.note = "line 1\r\nline 2";
  EXPECT_EQ(BuildReminderValue(r), "/home/me/a.wav<Alarm is active><Alarm is repeat>\r\nline 1\r\nline 2");
  EXPECT_EQ(ParseReminderValue(BuildReminderValue(r)), r);
}

TEST(ReminderValue, parseRules) {
  const Reminder none = ParseReminderValue("Beep Only<Alarm is active>no line break");
  EXPECT_FALSE(none.active);
  EXPECT_TRUE(none.media.isEmpty());
  EXPECT_TRUE(none.note.isEmpty());

  const Reminder twice = ParseReminderValue("x.mp3<Alarm is active><Alarm is active>\r\nnote");
  EXPECT_FALSE(twice.active);
  EXPECT_EQ(twice.media, "x.mp3");
  EXPECT_EQ(twice.note, "note");

  // Markers anywhere in the head count; the note may hold more CR LF.
  const Reminder mixed = ParseReminderValue("<Alarm is repeat>a<Alarm is active>b\r\n\r\nnote");
  EXPECT_TRUE(mixed.active);
  EXPECT_TRUE(mixed.repeat);
  EXPECT_EQ(mixed.media, "ab");
  EXPECT_EQ(mixed.note, "\r\nnote");
}

TEST(ReminderValue, activeTestAndSplitFollowTheParse) {
  for (const QByteArray& value :
       {QByteArray("<Alarm is active>\r\nnote"), QByteArray("<Alarm is active>\rno\nbreak"),
        QByteArray("a\rb<Alarm is active>\r\r\nc"), QByteArray("<Alarm is repeat><Alarm is active>\r\n"),
        QByteArray("<Alarm is active><Alarm is active>\r\n"), QByteArray("\r\n<Alarm is active>"), QByteArray("\r"),
        QByteArray()}) {
    const Reminder parsed = ParseReminderValue(value);
    EXPECT_EQ(IsActive(value), parsed.active) << value.toStdString();
    const std::optional<ReminderValueParts> parts = SplitReminderValue(value);
    EXPECT_EQ(parts.has_value(), value.contains("\r\n"));
    EXPECT_EQ(parts ? parts->note.toByteArray() : QByteArray(), parsed.note);
  }
  EXPECT_EQ(WithoutActiveMarker("x<Alarm is active>\r\n<Alarm is active>"), "x\r\n<Alarm is active>");
}

TEST(ReminderValue, mediaKinds) {
  EXPECT_EQ(MediaKindOf(""), MediaKind::None);
  EXPECT_EQ(MediaKindOf("Beep Only"), MediaKind::Beep);
  EXPECT_EQ(MediaKindOf("beep only"), MediaKind::MediaFile);
  EXPECT_EQ(MediaKindOf("/movies/intro.SWF"), MediaKind::Flash);
  EXPECT_EQ(MediaKindOf("/movies/intro.swf"), MediaKind::Flash);
  EXPECT_EQ(MediaKindOf(".swf"), MediaKind::Flash);
  EXPECT_EQ(MediaKindOf("swf"), MediaKind::MediaFile);
  EXPECT_EQ(MediaKindOf("/music/song.ogg"), MediaKind::MediaFile);
}

TEST(TimeKey, numbersFollowAtoiOnTheirCharacters) {
  const TimeOfDay t = TimeKeyNumbers("08:30:05");
  EXPECT_EQ(t.hour, 8);
  EXPECT_EQ(t.minute, 30);
  EXPECT_EQ(t.second, 5);
  const TimeOfDay odd = TimeKeyNumbers("7:05:00");
  EXPECT_EQ(odd.hour, 7);
  EXPECT_EQ(odd.minute, 5);
  EXPECT_EQ(odd.second, 0);
  EXPECT_EQ(TimeKeySeconds("23:59:59"), 86399);
  EXPECT_EQ(TimeKeySeconds(""), 0);
  EXPECT_EQ(TimeKeyNumbers("-1:xx").hour, -1);
  EXPECT_LT(QByteArray("09:00:00"), QByteArray("10:00:00"));
}

TEST(TimeKey, wellFormedKeys) {
  EXPECT_EQ(MakeTimeKey(8, 3, 0), "08:03:00");
  EXPECT_TRUE(IsWellFormedTimeKey("23:59:59"));
  EXPECT_FALSE(IsWellFormedTimeKey("24:00:00"));
  EXPECT_FALSE(IsWellFormedTimeKey("7:05:00"));
  EXPECT_FALSE(IsWellFormedTimeKey("08:60:00"));
  EXPECT_FALSE(IsWellFormedTimeKey("08-30-00"));
}
