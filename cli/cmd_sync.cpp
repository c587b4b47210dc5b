// orlanectl sync setup URL USER [--calendar NAME]: finds the calendar on the
// server (which tests the address, the account and the password), keeps the
// account in the sync state file and the password in the Secret Service.
// orlanectl sync: one two-way sync of the reminders with that calendar.
#include "caldav/caldav_calendar.h"
#include "caldav/sync_password.h"
#include "caldav/sync_run.h"
#include "caldav/sync_setup.h"
#include "caldav/sync_state.h"
#include "cli/commands.h"

#include <QEventLoop>
#include <cstdio>

namespace orlane::cli {

namespace {
const QString kUsage = QStringLiteral("usage: orlanectl sync | sync setup URL USER [--calendar NAME]");

std::optional<QString> SyncPassword() {
  if (qEnvironmentVariableIsSet("ORLANE_SYNC_PASSWORD")) return qEnvironmentVariable("ORLANE_SYNC_PASSWORD");
  if (const std::optional<QByteArray> typed = CliContext::askHidden("Password for the calendar server: "))
    return QString::fromUtf8(*typed);
  return std::nullopt;
}

int Setup(CliContext& context) {
  std::optional<QString> calendar;
  if (!context.takeOption("calendar", calendar)) return kExitUsage;
  const bool create = context.takeFlag("create");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 3) return context.usage(kUsage);
  QString why;
  const QUrl server = ServerUrlFromText(context.arg(1), &why);
  if (server.isEmpty()) return context.usage(why);
  const QString user = context.arg(2);
  if (const int code = context.requireUserFolder(create); code != kExitOk) return code;
  const std::optional<QString> password = SyncPassword();
  if (!password) return context.usage(QStringLiteral("No password: set ORLANE_SYNC_PASSWORD."));

  CalDavCalendar caldav;
  QEventLoop loop;
  SyncSetupResult result;
  SetUpSync(caldav, {server, user, *password, calendar.value_or(QString())}, true, [&](const SyncSetupResult& done) {
    result = done;
    loop.quit();
  });
  loop.exec();
  if (!result.ok) return context.fail(kExitFileError, result.error);
  if (!result.keyringError.isEmpty())
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(QStringLiteral("The password is not kept in the keyring (%1); "
                                               "orlanectl sync reads ORLANE_SYNC_PASSWORD.")
                                    .arg(result.keyringError)));
  CliContext::print(QStringLiteral("Calendar \"%1\" at %2 is set up.").arg(result.displayName, result.collection));
  return kExitOk;
}

// The password of the account: ORLANE_SYNC_PASSWORD, else the keyring's, else asked.
std::optional<QString> AccountPassword(const SyncState& state) {
  if (qEnvironmentVariableIsSet("ORLANE_SYNC_PASSWORD")) return qEnvironmentVariable("ORLANE_SYNC_PASSWORD");
  QEventLoop loop;
  std::optional<QString> kept;
  ReadSyncPassword(state.server, state.user, [&](std::optional<QString> password, const QString&) {
    kept = std::move(password);
    loop.quit();
  });
  loop.exec();
  return kept ? kept : SyncPassword();
}

int Run(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (!context.args().isEmpty()) return context.usage(kUsage);
  SyncState state;
  const SyncStateLoad loaded = LoadSyncState(SyncStateFilePath(), state);
  if (loaded == SyncStateLoad::Unreadable || loaded == SyncStateLoad::Damaged)
    return context.fail(kExitFileError, QStringLiteral("%1 cannot be read.").arg(SyncStateFilePath()));
  if (!state.configured() || state.collection.isEmpty())
    return context.fail(kExitRefused, QStringLiteral("No calendar is set up: orlanectl sync setup URL USER"));
  const std::optional<QString> password = AccountPassword(state);
  if (!password) return context.usage(QStringLiteral("No password: set ORLANE_SYNC_PASSWORD."));
  // The diary pages go under the user file's password.
  QByteArray diaryPassword;
  if (const int code = context.login(diaryPassword)) return code;
  CalDavCalendar caldav;
  caldav.setCredentials(state.user, *password);
  ReminderStore store;
  SyncRun run(store, state, caldav, SyncStateFilePath(), diaryPassword);
  QEventLoop loop;
  SyncReport report;
  run.start([&](const SyncReport& done) {
    report = done;
    loop.quit();
  });
  loop.exec();
  if (!report.ok) return context.fail(kExitFileError, SyncReportText(report));
  CliContext::print(SyncReportText(report));
  return kExitOk;
}
}  // namespace

int RunSync(CliContext& context) {
  if (context.args().isEmpty()) return Run(context);
  if (context.arg(0) != u"setup") return context.usage(kUsage);
  return Setup(context);
}

}  // namespace orlane::cli
