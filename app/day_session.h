// DaySession: the life cycle of the shown day, without any window. It owns
// the selected date, the loaded day (the diary page as the document the
// editor shows, the page's state on disk), the recovery copy of unsaved edits
// and the watch of the user folder; the day's reminders live in the
// ReminderStore it is given. It loads, saves, merges what other writers
// changed, changes the date and restores a recovery copy; the window only
// shows what it emits and says what a failed save means to the user.
//
// No operation runs inside another: each one is synchronous, and a folder
// change noticed while one runs is looked at after it.
#pragma once

#include "app/day_store.h"
#include "app/recovery_file.h"

#include <QObject>
#include <QTextDocument>
#include <QTimer>
#include <ctime>
#include <functional>
#include <optional>

namespace orlane {

class DayWatcher;
class ReminderStore;

class DaySession final : public QObject {
  Q_OBJECT

 public:
  explicit DaySession(ReminderStore& store, QObject* parent = nullptr);
  ~DaySession() override;
  Q_DISABLE_COPY_MOVE(DaySession)

  ReminderStore& reminders() { return store_; }
  // The shown day's diary page: the document the diary editor shows, handed
  // over once (the session keeps a page of its own until then).
  void setPage(QTextDocument* page);
  QTextDocument* page() { return page_; }
  std::time_t selectedDate() const { return selectedDate_; }
  const QString& dayKey() const { return loaded_.dayKey; }
  DiaryPageState pageState() const { return loaded_.diary; }
  // The page could be read, but not completely: shown as far as it goes, never saved.
  bool pageIncomplete() const { return pageIncomplete_; }
  bool busy() const { return busy_ > 0; }

  // Starts watching the user folder for other writers.
  void watchFolder(const QString& folder);
  // The date the calendar shows; the day loads with load().
  void select(std::time_t date) { selectedDate_ = date; }
  void load();
  // Writes what changed of the loaded day (nothing when nothing changed).
  DaySaveResult save();
  // Saves the loaded day, then selects date and loads its day. When the save
  // failed, leaveAfterFailure decides (true: leave the edits and go on); false
  // when the day stayed.
  bool changeDate(std::time_t date, const std::function<bool(const DaySaveResult&)>& leaveAfterFailure);
  // Takes over what other writers changed in the user folder.
  void refresh();

  // The recovery copy: written a moment after edits, dropped by every save
  // that succeeds, offered once after the login.
  void writeRecovery();
  std::optional<RecoveryState> recoveryToOffer() const;
  // The recovered edits come back as edits of the loaded day (its day must be loaded).
  void restore(const RecoveryState& state);
  void discardRecovery();

 Q_SIGNALS:
  // Another day is about to be loaded (a recording goes to its own day first).
  void dayLeaving(const QString& dayKey);
  void dayLoaded(const QString& dayKey);
  // The page another writer saved is shown now.
  void pageReplaced();
  // The reminders of the shown day changed (typed, merged, fired).
  void remindersChanged(const QString& dayKey);
  // The day was saved (whatever was written); the marks of the calendar follow.
  void daySaved(const QString& dayKey);
  // The other writers changed the folder (any day: the marks follow).
  void folderChanged();
  // The shown day's reminder file cannot be read completely: said once a run for each day.
  void remindersDamaged(const QString& dayKey);

 private:
  class Operation;
  void loadNow();
  DaySaveResult saveNow();
  void noteEdit();
  void showPage();
  DayContent pageContent() const;

  ReminderStore& store_;
  QTextDocument ownPage_;
  QTextDocument* page_ = &ownPage_;
  LoadedDay loaded_;
  std::time_t selectedDate_ = 0;
  bool pageIncomplete_ = false;
  int busy_ = 0;
  bool refreshWaiting_ = false;
  DayWatcher* watcher_ = nullptr;
  QTimer recoveryQuiet_;    // two seconds after the last edit
  QTimer recoveryLongest_;  // at most this long while the user keeps typing
  QStringList damagedTold_;
};

}  // namespace orlane
