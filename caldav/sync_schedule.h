// SyncSchedule: when the window syncs with the calendar server set up in the
// sync state: at start, every N minutes (the sync_minutes setting; 0: never
// by the clock), a few seconds after each save (once for many saves) and on
// "Sync now". One run at a time: a sync asked for while one runs starts when
// it ends. The password comes from the desktop's keyring, else it is asked
// for once in this run of the program and kept in memory only.
//
// Before a run changes the store, prepare() lets the window save the shown
// day (what is on screen is what goes out); false puts the run off.
#pragma once

#include "caldav/sync_run.h"

#include <QObject>
#include <QTimer>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>

namespace orlane {

class SyncSchedule final : public QObject {
  Q_OBJECT

 public:
  // Asks the person for the account's password; nullopt when they would not.
  using AskPassword = std::function<std::optional<QString>(const SyncState& account)>;

  explicit SyncSchedule(ReminderStore& store, QObject* parent = nullptr);
  ~SyncSchedule() override;
  Q_DISABLE_COPY_MOVE(SyncSchedule)

  void setAskPassword(AskPassword ask) { askPassword_ = std::move(ask); }
  void setPrepare(std::function<bool()> prepare) { prepare_ = std::move(prepare); }
  // The diary's password for a run; none while the diary is locked (pages then wait).
  void setPagePassword(std::function<std::optional<QByteArray>()> password) { pagePassword_ = std::move(password); }
  void setMinutes(int minutes);
  // The password the person just typed for the account set up.
  void setPassword(const QString& password) {
    password_ = password;
    passwordRefused_ = false;
  }

  // Runs now, or right after the run under way.
  void syncNow();
  // Runs a few seconds from now; more calls meanwhile make one run.
  void syncSoon();
  // A run under way, or its password being fetched or asked for.
  bool running() const { return run_ != nullptr || starting_; }
  // Whether a calendar is set up (the state file names one).
  static bool Configured();

 Q_SIGNALS:
  void progress(int done, int total);
  void finished(const SyncReport& report);

 private:
  void begin();
  void withPassword(std::function<void()> go);
  void ended(const SyncReport& report);

  ReminderStore& store_;
  AskPassword askPassword_;
  std::function<bool()> prepare_;
  std::function<std::optional<QByteArray>()> pagePassword_;
  QTimer interval_;
  QTimer soon_;
  SyncState state_;
  std::unique_ptr<CalDavCalendar> calendar_;
  std::unique_ptr<SyncRun> run_;
  std::optional<QString> password_;
  bool passwordRefused_ = false;
  bool again_ = false;
  bool starting_ = false;
};

// The title line's word on the last run: "Synchronised 10:42", or why it failed.
QString SyncStatusText(const SyncReport& report, std::time_t when);

}  // namespace orlane
