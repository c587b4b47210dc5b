#include "reminders/reminder_editor.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
QList<QByteArray> Keys(std::initializer_list<const char*> keys) {
  QList<QByteArray> out;
  for (const char* k : keys) out << k;
  return out;
}

// An editor over a store that holds one day (not saved: the folder stays empty).
struct Editing {
  test::TempUserFolder folder;
  ReminderStore store;
  ReminderEditor e{store};
  void load(const ReminderMap& map, const QString& key = QStringLiteral("07d60102")) {
    store.setDay(key, map);
    e.loadDay(key);
  }
  void typeNote(const QString& note) {
    ReminderFields f = e.fields();
    f.note = note;
    e.setFields(f);
  }
};
}  // namespace

TEST(ReminderEditor, addOnAnEmptyDayStoresAnActiveEmptyReminder) {
  Editing t;
  t.load({});
  EXPECT_EQ(t.e.add("08:30:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(t.e.reminders().at("08:30:00"), "<Alarm is active>\r\n");
  EXPECT_EQ(t.e.selection(), 0);
  EXPECT_EQ(t.e.editedKey(), "08:30:00");
  EXPECT_TRUE(t.e.fields().active);
  EXPECT_EQ(t.e.add("08:30:00"), ReminderEditor::Result::AlreadyExists);
  EXPECT_EQ(t.e.reminders().size(), 1u);
}

TEST(ReminderEditor, fieldsTypedWithNothingSelectedAreWhatAddStores) {
  Editing t;
  t.load({{"09:00:00", "\r\nother"}});
  ReminderFields typed;
  typed.note = QStringLiteral("take the pill");
  typed.beepOnly = true;
  typed.media = QStringLiteral("Beep Only");
  t.e.setFields(typed);
  EXPECT_EQ(t.e.reminders().size(), 1u);  // nothing selected: nothing stored yet
  EXPECT_EQ(t.e.add("08:00:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(t.e.reminders().at("08:00:00"), "Beep Only<Alarm is active>\r\ntake the pill");
  // With an entry selected, Add starts a new empty reminder as before.
  EXPECT_EQ(t.e.add("10:00:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(t.e.reminders().at("10:00:00"), "<Alarm is active>\r\n");
  EXPECT_EQ(t.e.reminders().at("08:00:00"), "Beep Only<Alarm is active>\r\ntake the pill");
}

TEST(ReminderEditor, typedFieldsReachTheStoreAtOnceAndSelectionKeepsThem) {
  Editing t;
  t.load({{"09:00:00", "<Alarm is active>\r\nfirst"}, {"10:00:00", "Beep Only\r\nsecond"}});
  EXPECT_EQ(t.e.selection(), -1);
  EXPECT_TRUE(t.e.editedKey().isEmpty());
  t.e.select(0);
  EXPECT_EQ(t.e.fields().note, QStringLiteral("first"));
  t.typeNote(QStringLiteral("first, edited"));
  EXPECT_EQ(t.store.day(QStringLiteral("07d60102")).at("09:00:00"), "<Alarm is active>\r\nfirst, edited");
  EXPECT_TRUE(t.store.isModified(QStringLiteral("07d60102")));
  t.e.select(1);
  EXPECT_TRUE(t.e.fields().beepOnly);
  EXPECT_FALSE(t.e.fields().active);
  EXPECT_EQ(t.e.reminders().at("09:00:00"), "<Alarm is active>\r\nfirst, edited");
}

TEST(ReminderEditor, valueWithoutLineBreakShowsAsActiveAndEmpty) {
  Editing t;
  t.load({{"09:00:00", "odd"}});
  t.e.select(0);
  EXPECT_TRUE(t.e.fields().active);
  EXPECT_TRUE(t.e.fields().note.isEmpty());
}

TEST(ReminderEditor, updateMovesEverythingKeepsTheListPlaceAndTheSameKeyStoresTheFields) {
  Editing t;
  t.load(
      {{"08:00:00", "\r\na"}, {"09:00:00", "x.wav<Alarm is active><Alarm is repeat>\r\nnote"}, {"10:00:00", "\r\nc"}});
  t.e.select(1);
  EXPECT_EQ(t.e.update("07:00:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(t.e.entries(), Keys({"08:00:00", "07:00:00", "10:00:00"}));
  EXPECT_EQ(t.e.reminders().count("09:00:00"), 0u);
  const Reminder moved = ParseReminderValue(t.e.reminders().at("07:00:00"));
  EXPECT_EQ(moved.media, "x.wav");
  EXPECT_TRUE(moved.active);
  EXPECT_TRUE(moved.repeat);
  EXPECT_EQ(moved.note, "note");
  EXPECT_EQ(t.e.update("10:00:00"), ReminderEditor::Result::AlreadyExists);
  t.typeNote(QStringLiteral("edited"));
  EXPECT_EQ(t.e.update("07:00:00"), ReminderEditor::Result::Done);
  EXPECT_EQ(ParseReminderValue(t.e.reminders().at("07:00:00")).note, "edited");
  t.e.loadDay(t.e.dayKey());
  EXPECT_EQ(t.e.entries(), Keys({"07:00:00", "08:00:00", "10:00:00"}));
}

TEST(ReminderEditor, removeLeavesNothingSelected) {
  Editing t;
  t.load({{"08:00:00", "\r\na"}});
  EXPECT_EQ(t.e.remove(), ReminderEditor::Result::NothingSelected);
  t.e.select(0);
  EXPECT_EQ(t.e.remove(), ReminderEditor::Result::Done);
  EXPECT_TRUE(t.e.reminders().empty());
  EXPECT_TRUE(t.e.entries().isEmpty());
  EXPECT_TRUE(t.e.editedKey().isEmpty());
}

TEST(ReminderEditor, copyTakesTheEditorAndPasteReplacesOnAnotherDay) {
  Editing t;
  t.load({{"08:00:00", "\r\nstored"}});
  EXPECT_EQ(t.e.paste(), ReminderEditor::Result::NothingCopied);
  EXPECT_EQ(t.e.reminders().size(), 1u);
  t.e.select(0);
  t.typeNote(QStringLiteral("typed"));
  EXPECT_EQ(t.e.copy(), ReminderEditor::Result::Done);

  t.load({{"08:00:00", "\r\nother day"}, {"09:00:00", "\r\n"}}, QStringLiteral("07d60103"));
  EXPECT_EQ(t.e.paste(), ReminderEditor::Result::Done);
  EXPECT_EQ(t.e.entries().size(), 2);
  EXPECT_EQ(t.e.reminders().at("08:00:00"), "\r\ntyped");

  t.load({{"09:00:00", "\r\n"}}, QStringLiteral("07d60104"));
  t.e.paste();
  EXPECT_EQ(t.e.entries(), Keys({"08:00:00", "09:00:00"}));
}

TEST(ReminderEditor, followsTheStoreKeepingTheShownReminderAndItsPlace) {
  Editing t;
  t.load({{"08:00:00", "<Alarm is active>\r\na"}, {"09:00:00", "\r\nb"}});
  t.e.select(0);
  t.store.setReminder(QStringLiteral("07d60102"), "07:00:00", "\r\nfrom elsewhere");
  t.store.markFired(QStringLiteral("07d60102"), "08:00:00");
  EXPECT_TRUE(t.e.followStore());
  EXPECT_EQ(t.e.entries(), Keys({"07:00:00", "08:00:00", "09:00:00"}));
  EXPECT_EQ(t.e.editedKey(), "08:00:00");
  EXPECT_EQ(t.e.selection(), 1);
  EXPECT_FALSE(t.e.fields().active);
  EXPECT_EQ(t.e.fields().note, QStringLiteral("a"));
  t.store.removeReminder(QStringLiteral("07d60102"), "08:00:00");
  EXPECT_TRUE(t.e.followStore());
  EXPECT_EQ(t.e.selection(), -1);
  EXPECT_FALSE(t.e.followStore());
}

TEST(ReminderEditor, beepOnlyFillsAndEmptiesTheMediaField) {
  Editing t;
  t.load({});
  ReminderFields f;
  f.media = QStringLiteral("/music/song.ogg");
  t.e.setFields(f);
  t.e.setBeepOnly(true);
  EXPECT_EQ(t.e.fields().media, QStringLiteral("Beep Only"));
  t.e.setBeepOnly(false);
  EXPECT_TRUE(t.e.fields().media.isEmpty());
}
