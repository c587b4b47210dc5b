// The window's calendar sync: the schedule runs at start, by the clock, after
// saves and on "Sync now"; the window saves the shown day before a run, asks
// for the password when the keyring has none, and shows the outcome in the
// title line (a conflict once in the themed box).
#include "app/main_dlg.h"

#include "app/main_deskleaf.h"
#include "app/reminder_options.h"
#include "caldav/sync_schedule.h"
#include "caldav/sync_setup_dlg.h"
#include "calendar/month_calendar.h"
#include "controls/msg_box_dlg.h"
#include "dialogs/sync_password_dlg.h"
#include "platform/clock.h"
#include "security/error_log.h"
#include "security/session.h"

#include <QScopedValueRollback>
#include <QUrl>

namespace orlane {

namespace {
constexpr char kSyncMinutesKey[] = "sync_minutes";
constexpr int kLongSyncWrites = 20;
}  // namespace

void CMainDlg::StartSync() {
  sync_->setPrepare([this] {
    if (session_->busy()) return false;
    // What is on screen is what goes out; this save is the sync's own, not a reason for another sync.
    const QScopedValueRollback preparing(syncPreparing_, true);
    return SaveLoadedDay(SaveFailureReply::Log);
  });
  sync_->setPagePassword([]() -> std::optional<QByteArray> {
    if (LoginPending()) return std::nullopt;
    return CurrentPassword();
  });
  sync_->setAskPassword([this](const SyncState& account) {
    return AskSyncPassword(account.user, QUrl(account.server).host(), settings_.theme, this);
  });
  connect(sync_, &SyncSchedule::finished, this, &CMainDlg::FollowSync);
  connect(sync_, &SyncSchedule::progress, this, [this](int done, int total) {
    // Only a long run says how far it is; a few writes pass unseen.
    if (total < kLongSyncWrites) return;
    syncStatus_ = QStringLiteral("Synchronising %1 of %2 ...").arg(done).arg(total);
    RebuildTitleLine();
  });
  connect(session_, &DaySession::daySaved, this, [this] {
    if (!syncPreparing_) sync_->syncSoon();
  });
  FollowSyncSettings();
  sync_->syncNow();
}

void CMainDlg::SyncNow() {
  if (!SyncSchedule::Configured()) {
    SetUpSyncServer(this);
    return;
  }
  sync_->syncNow();
}

void CMainDlg::SetUpSyncServer(QWidget* parent) {
  CSyncSetupDlg dialog(settings_.theme, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  sync_->setPassword(dialog.Password());
  sync_->syncNow();
}

void CMainDlg::FollowSyncSettings() {
  sync_->setMinutes(options_->settings().integer(QLatin1String(kSyncMinutesKey)));
}

void CMainDlg::FollowSync(const SyncReport& report) {
  syncStatus_ = SyncStatusText(report, NowSeconds());
  if (!report.ok) LogError("%s", qUtf8Printable(SyncReportText(report)));
  FollowSyncSettings();
  frame_.calendar->Redraw();
  deskleaf_->RefreshReminders();
  RebuildTitleLine();
  if (!report.conflicts.isEmpty())
    ThemedNotice(QStringLiteral("Changed here and on the calendar server, so both versions are kept (a "
                                "reminder's other version at the next free second): %1.")
                     .arg(report.conflicts.join(QStringLiteral(", "))),
                 settings_.theme, this);
}

}  // namespace orlane
