// The reminder editor of the main window as a model over the ReminderStore:
// the shown day's list of time keys (sorted when the day loads, kept in place
// by Update), the reminder whose fields the editor shows, and the copy slot
// that survives day changes. The fields go into the store as the user types
// them, so nothing has to be collected before a save or an alert.
//
// The list holds the day's one-off reminders and the occurrences of recurring
// reminders; the fields of an occurrence are its series', so editing them
// changes every occurrence.
#pragma once

#include "reminders/recurring_reminder.h"
#include "reminders/reminder_day.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace orlane {

class ReminderStore;

// The editor's fields as the user sees them.
struct ReminderFields {
  QString note;
  QString media;
  bool active = false;
  bool repeat = false;
  bool beepOnly = false;

  bool operator==(const ReminderFields&) const = default;
};

class ReminderEditor final {
 public:
  // Recurring: Remove met an occurrence; removeOccurrence says what goes.
  enum class Result { Done, AlreadyExists, NothingSelected, NothingCopied, Recurring };

  explicit ReminderEditor(ReminderStore& store) : store_(store) {}

  // A day was loaded: the list shows its keys sorted, nothing is selected.
  void loadDay(const QString& dayKey);
  // The shown day changed in the store (merged from its file, a reminder
  // fired): the list follows, the shown reminder stays shown while it is
  // there. True when the list or the fields changed.
  bool followStore();

  const QString& dayKey() const { return dayKey_; }
  // The day's one-off reminders and occurrences.
  ReminderMap reminders() const;
  // Whether the entry is an occurrence of a recurring reminder.
  bool isOccurrence(int index) const;
  const QList<QByteArray>& entries() const { return entries_; }
  int selection() const { return selection_; }
  const QByteArray& editedKey() const { return editedKey_; }

  const ReminderFields& fields() const { return fields_; }
  // The user changed the fields: they are the selected reminder's at once.
  void setFields(const ReminderFields& fields);
  void select(int index);

  // New reminder at key, active; refused when an entry begins with key. With
  // an entry selected it starts empty; with none it takes the fields as typed.
  Result add(const QByteArray& key);
  Result remove();
  // Moves the selected reminder to newKey, keeping its place in the list; the
  // same key again stores the fields as they are.
  Result update(const QByteArray& newKey);
  Result copy();
  // Puts the copied reminder into this day (replacing one at the same time).
  Result paste();
  // Only this day (a skipped date) or, with everyTime, the whole series.
  Result removeOccurrence(bool everyTime);

  // The selected entry's recurrence: Once for a one-off reminder; nullopt for
  // a rule the choices cannot show (it is kept as it is).
  std::optional<RecurRule> recurrence() const;
  // A one-off reminder becomes a series first due on its day; an occurrence's
  // series takes the new rule, and Once leaves a one-off reminder on this day
  // in place of the series.
  Result setRecurrence(const RecurRule& rule);

  // Ticking Beep Only puts "Beep Only" into the media field; clearing it empties it.
  void setBeepOnly(bool on);

  // The value the fields build, as Copy and the store take it.
  QByteArray fieldsValue() const;

 private:
  int findEntry(const QByteArray& prefix) const;
  void showSelected();
  void clearFields(bool active);
  void storeFields();
  void insertEntry(const QByteArray& key);
  QDate date() const;
  std::optional<RecurringReminder> seriesOf(const QByteArray& key) const;

  ReminderStore& store_;
  QString dayKey_;
  QList<QByteArray> entries_;
  int selection_ = -1;
  QByteArray editedKey_;
  ReminderFields fields_;
  std::optional<std::pair<QByteArray, QByteArray>> copySlot_;
};

}  // namespace orlane
