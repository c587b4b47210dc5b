#include "caldav/sync_setup.h"

#include "caldav/sync_password.h"
#include "caldav/sync_state.h"

namespace orlane {

namespace {
void Keep(const SyncAccount& account, const CalDavFound& found, SyncSetupResult result,
          const std::function<void(const SyncSetupResult&)>& done) {
  SyncState state;
  if (LoadSyncState(SyncStateFilePath(), state) == SyncStateLoad::Unreadable) {
    result.error = QStringLiteral("%1 cannot be read.").arg(SyncStateFilePath());
    return done(result);
  }
  if (state.user != account.user || state.collection != found.calendar.toString()) {
    // Another account or calendar: what was synchronised with the old one says nothing of the new.
    state.items.clear();
    state.token.clear();
  }
  state.server = account.server.toString();
  state.user = account.user;
  state.calendarName = account.calendar;
  state.collection = found.calendar.toString();
  state.syncCollection = found.offersSyncCollection;
  if (SaveSyncState(SyncStateFilePath(), state) == WriteResult::Failed) {
    result.error = QStringLiteral("%1: %2").arg(SyncStateFilePath(), LastFileError());
    return done(result);
  }
  WriteSyncPassword(state.server, account.user, account.password, [result, done](const QString& error) mutable {
    result.ok = true;
    result.keyringError = error;
    done(result);
  });
}
}  // namespace

void SetUpSync(CalDavCalendar& caldav, const SyncAccount& account, bool keep,
               std::function<void(const SyncSetupResult&)> done) {
  caldav.setCredentials(account.user, account.password);
  caldav.discover(account.server, account.calendar, [account, keep, done = std::move(done)](const CalDavFound& found) {
    SyncSetupResult result;
    result.displayName = found.displayName.isEmpty() ? account.calendar : found.displayName;
    result.collection = found.calendar.toString();
    if (!found.ok) {
      result.error = found.error;
      return done(result);
    }
    if (!keep) {
      result.ok = true;
      return done(result);
    }
    Keep(account, found, result, done);
  });
}

}  // namespace orlane
