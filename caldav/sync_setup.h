// Setting up the sync with a calendar server, shared by "orlanectl sync
// setup" and the window's "Calendar sync" dialog: the calendar is found from
// the address (which tests the address, the account and the password); kept,
// the account goes into the sync state file and the password into the
// desktop's keyring. Another account or calendar than before starts the
// record of synchronised items anew.
#pragma once

#include "caldav/caldav_calendar.h"

#include <QString>
#include <QUrl>
#include <functional>

namespace orlane {

struct SyncAccount {
  QUrl server;
  QString user;
  QString password;
  QString calendar;  // empty: the account's first calendar
};

struct SyncSetupResult {
  bool ok = false;
  QString error;  // the server's or the file's reason, in the program's words
  QString displayName;
  QString collection;
  QString keyringError;  // the password is not in the keyring, and why (the account is kept all the same)
};

// keep false: only finds the calendar ("Test connection").
void SetUpSync(CalDavCalendar& caldav, const SyncAccount& account, bool keep,
               std::function<void(const SyncSetupResult&)> done);

}  // namespace orlane
