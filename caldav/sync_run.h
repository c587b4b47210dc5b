// One two-way sync of the folder's reminders (one-off and recurring) with the
// calendar collection of the sync state. The run lists what changed on the
// server since the state's token (every ETag when the server has no
// sync-collection), fetches it and compares both sides with the state's
// record of the last sync (ETag and content hash per item):
//   - changed on one side only: the change goes to the other side; a
//     reminder moved to another second (here or on the server) is one
//     resource moved, not one deleted and another made;
//   - changed on both sides: the reminder here stays as it is, the server's
//     version comes in beside it at the next free second, and the one here
//     goes to the server as a new resource (both are kept, and said);
//   - deleted on one side: deleted on the other only when that side did not
//     change it meanwhile; else the changed one comes back.
// The server's changes are taken into the store and saved before anything
// is sent, and the state is saved after every step, so a run cut short
// (offline, a killed server) loses nothing and the next run goes on. Every
// write is conditional (If-Match, If-None-Match): a resource changed on the
// server meanwhile is never overwritten; it is looked at in the next run.
// Diary pages go as journals (VJOURNAL) when the run has the password; a
// page changed on both sides stays here as it is, the server's version beside
// it as a conflict copy, and ours goes to the server.
#pragma once

#include "caldav/caldav_calendar.h"
#include "caldav/sync_state.h"
#include "ical/ical_item.h"
#include "reminders/reminder_store.h"

#include <QObject>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace orlane {

struct SyncReport {
  bool ok = false;
  QString error;          // why the run stopped, in the program's words
  int received = 0;       // reminders changed here by the server's side
  int sent = 0;           // reminders written to the server
  int removedHere = 0;    // deleted here because the server deleted them
  int removedThere = 0;   // deleted on the server because they were deleted here
  QStringList conflicts;  // "YYYY-MM-DD HH:mm:ss" of the server's versions kept beside ours
  QStringList notTaken;   // the server's resources that are no reminder, with the reason
  QStringList failures;   // "path: reason" of what could not be written here
};

// The key of an item in the sync state: "R" day key, space, time key for a
// reminder; "S" uid for a series.
QString SyncKeyOf(const IcalItem& item);
// What the content hash of an item covers (the day and time are in its key;
// a series' fired records are this computer's own).
QByteArray SyncContentOf(const IcalItem& item);

// What a run did, in the program's words, one statement a line.
QString SyncReportText(const SyncReport& report);

class SyncRun final : public QObject {
  Q_OBJECT

 public:
  // The state is the caller's: it is changed as the run goes and saved by it
  // to statePath after every step.
  // pagePassword: the diary pages go both ways too, written under it; none:
  // the pages are left as they are on both sides (the diary is locked).
  SyncRun(ReminderStore& store, SyncState& state, CalDavCalendar& calendar, QString statePath,
          std::optional<QByteArray> pagePassword = std::nullopt, QObject* parent = nullptr);

  // Runs once; done is called from the event loop when the run ended.
  void start(std::function<void(const SyncReport&)> done);

 Q_SIGNALS:
  // Writes to the server: done of total (a first sync of years of pages has many).
  void progress(int done, int total);

 private:
  struct Local {
    IcalItem item;
    QByteArray hash;
  };
  using Step = std::function<void()>;

  void listed(const CalDavChanges& changes);
  void fetched(const CalDavFetched& fetched, const CalDavChanges& changes);
  void takeServerChange(const QString& href, const QByteArray& etag, const QByteArray& data);
  void takeServerRemoval(const QString& href);
  // replace: a page here may be written over (it did not change since the last sync).
  void placeHere(const IcalItem& item, const QString& href, const QByteArray& uid, const QByteArray& etag,
                 bool replace = false);
  enum class PagePlaced { Written, Held, BesideOurs, Failed };
  PagePlaced placePage(const IcalItem& item, bool replace);
  bool syncs(const QString& key) const;
  void removeHere(const QString& key);
  // Our series at key takes a new uid (the server's series of its uid comes in beside it).
  void renameHere(const QString& key);
  void planSends();
  void planMoves();
  void send(const QString& key, const IcalItem& item, const QByteArray& hash);
  void sendNew(const QString& key, IcalItem item, const QByteArray& hash);
  void removeThere(const QString& key, const SyncItem& resource);
  void next();
  void saveHere();
  bool saveState();
  void finish(const QString& error = {});
  std::map<QString, Local> localItems();

  ReminderStore& store_;
  SyncState& state_;
  CalDavCalendar& calendar_;
  QString statePath_;
  std::function<void(const SyncReport&)> done_;
  SyncReport report_;
  std::map<QString, Local> local_;
  std::set<QString> changedDays_;
  // Keys whose local item is to go to the server as a new resource (a conflict's own side).
  std::set<QString> sendAsNew_;
  std::deque<Step> steps_;
  std::optional<QByteArray> pagePassword_;
  int planned_ = 0;
  bool deferred_ = false;
  // What the last look at the folder could not read completely.
  struct Incomplete {
    std::set<QString> reminderDays;
    std::set<QString> pageDays;
    bool recurring = false;
  } incomplete_;
};

}  // namespace orlane
