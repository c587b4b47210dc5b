#include "reminders/reminder_editor.h"
#include "reminders/reminder_value.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
QList<QByteArray> Keys(std::initializer_list<const char*> keys) {
  QList<QByteArray> out;
  for (const char* k : keys) out << k;
  return out;
}
}  // namespace

TEST(ReminderEditor, addOnAnEmptyDayStoresAnActiveEmptyReminder) {
  ReminderEditor e;
  e.loadDay({});
  EXPECT_EQ(e.add("08:30:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(e.reminders().at("08:30:00"), "<Alarm is active>\r\n");
  EXPECT_EQ(e.selection(), 0);
  EXPECT_EQ(e.editedKey(), "08:30:00");
  EXPECT_TRUE(e.fields().active);
  EXPECT_EQ(e.add("08:30:00"), ReminderEditor::Result::AlreadyExists);
  EXPECT_EQ(e.reminders().size(), 1u);
}

TEST(ReminderEditor, selectionStoresThePreviousFields) {
  ReminderEditor e;
  e.loadDay({{"09:00:00", "<Alarm is active>\r\nfirst"}, {"10:00:00", "Beep Only\r\nsecond"}});
  EXPECT_EQ(e.selection(), -1);
  EXPECT_TRUE(e.editedKey().isEmpty());
  e.select(0);
  EXPECT_EQ(e.fields().note, QStringLiteral("first"));
  e.fields().note = QStringLiteral("first, edited");
  e.select(1);
  EXPECT_TRUE(e.fields().beepOnly);
  EXPECT_FALSE(e.fields().active);
  EXPECT_EQ(e.reminders().at("09:00:00"), "<Alarm is active>\r\nfirst, edited");
}

TEST(ReminderEditor, valueWithoutLineBreakShowsAsActiveAndEmpty) {
  ReminderEditor e;
  e.loadDay({{"09:00:00", "odd"}});
  e.select(0);
  EXPECT_TRUE(e.fields().active);
  EXPECT_TRUE(e.fields().note.isEmpty());
}

TEST(ReminderEditor, updateMovesEverythingAndKeepsTheListPlace) {
  ReminderEditor e;
  e.loadDay(
      {{"08:00:00", "\r\na"}, {"09:00:00", "x.wav<Alarm is active><Alarm is repeat>\r\nnote"}, {"10:00:00", "\r\nc"}});
  e.select(1);
  EXPECT_EQ(e.update("07:00:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(e.entries(), Keys({"08:00:00", "07:00:00", "10:00:00"}));
  EXPECT_EQ(e.reminders().count("09:00:00"), 0u);
  const Reminder moved = ParseReminderValue(e.reminders().at("07:00:00"));
  EXPECT_EQ(moved.media, "x.wav");
  EXPECT_TRUE(moved.active);
  EXPECT_TRUE(moved.repeat);
  EXPECT_EQ(moved.note, "note");
  EXPECT_EQ(e.update("10:00:00"), ReminderEditor::Result::AlreadyExists);
  e.loadDay(e.reminders());
  EXPECT_EQ(e.entries(), Keys({"07:00:00", "08:00:00", "10:00:00"}));
}

TEST(ReminderEditor, removeLeavesNothingSelected) {
  ReminderEditor e;
  e.loadDay({{"08:00:00", "\r\na"}});
  EXPECT_EQ(e.remove(), ReminderEditor::Result::NothingSelected);
  e.select(0);
  EXPECT_EQ(e.remove(), ReminderEditor::Result::Done);
  EXPECT_TRUE(e.reminders().empty());
  EXPECT_TRUE(e.entries().isEmpty());
  EXPECT_TRUE(e.editedKey().isEmpty());
}

TEST(ReminderEditor, copyTakesTheEditorAndPasteReplacesOnAnotherDay) {
  ReminderEditor e;
  e.loadDay({{"08:00:00", "\r\nstored"}});
  EXPECT_EQ(e.paste(), ReminderEditor::Result::NothingCopied);
  EXPECT_EQ(e.reminders().size(), 1u);
  e.select(0);
  e.fields().note = QStringLiteral("typed, not stored");
  EXPECT_EQ(e.copy(), ReminderEditor::Result::Done);

  e.loadDay({{"08:00:00", "\r\nother day"}, {"09:00:00", "\r\n"}});
  EXPECT_EQ(e.paste(), ReminderEditor::Result::Done);
  EXPECT_EQ(e.entries().size(), 2);
  EXPECT_EQ(e.reminders().at("08:00:00"), "\r\ntyped, not stored");

  e.loadDay({{"09:00:00", "\r\n"}});
  e.paste();
  EXPECT_EQ(e.entries(), Keys({"08:00:00", "09:00:00"}));
}

TEST(ReminderEditor, beepOnlyFillsAndEmptiesTheMediaField) {
  ReminderEditor e;
  e.fields().media = QStringLiteral("/music/song.ogg");
  e.setBeepOnly(true);
  EXPECT_EQ(e.fields().media, QStringLiteral("Beep Only"));
  e.setBeepOnly(false);
  EXPECT_TRUE(e.fields().media.isEmpty());
}
