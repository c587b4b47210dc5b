// The reminder editor of the main window as a model: the selected day's map,
// the list of its time keys (sorted when the day loads, kept in place by
// Update), the reminder whose fields the editor shows, and the copy slot that
// survives day changes. The window mirrors this state in its controls and
// saves the day where the commands say so.
#pragma once

#include "reminders/reminder_day.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace orlane {

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
  enum class Result { Done, AlreadyExists, NothingSelected, NothingCopied };

  // A day was loaded: the list shows its keys sorted, nothing is selected.
  void loadDay(const ReminderMap& map);

  const ReminderMap& reminders() const { return map_; }
  const QList<QByteArray>& entries() const { return entries_; }
  int selection() const { return selection_; }
  const QByteArray& editedKey() const { return editedKey_; }

  ReminderFields& fields() { return fields_; }
  const ReminderFields& fields() const { return fields_; }

  // Stores the fields under the edited key (when an entry is selected).
  // Returns true when it stored something.
  bool storeEdited();
  // The reminder at key fired: it is inactive in the map and, when shown, in the fields.
  void markFired(const QByteArray& key);
  // The selection moves: the previous reminder is stored, the new one shown.
  void select(int index);

  // New reminder at key, active, empty; refused when an entry begins with key.
  Result add(const QByteArray& key);
  Result remove();
  // Moves the selected reminder to newKey, keeping its place in the list.
  Result update(const QByteArray& newKey);
  Result copy();
  // Puts the copied reminder into this day (replacing one at the same time).
  Result paste();
  // Ticking Beep Only puts "Beep Only" into the media field; clearing it empties it.
  void setBeepOnly(bool on);

  // The value the fields build, as Copy and the store take it.
  QByteArray fieldsValue() const;

 private:
  int findEntry(const QByteArray& prefix) const;
  void showSelected();
  void clearFields(bool active);

  ReminderMap map_;
  QList<QByteArray> entries_;
  int selection_ = -1;
  QByteArray editedKey_;
  ReminderFields fields_;
  std::optional<std::pair<QByteArray, QByteArray>> copySlot_;
};

}  // namespace orlane
