#include "app/program_commands.h"

#include "app/day_session.h"
#include "app/deskleaf_link.h"
#include "app/diary_panel.h"
#include "app/main_dlg.h"
#include "app/main_ids.h"
#include "app/program_settings.h"
#include "app/reminder_options.h"
#include "app/title_status.h"
#include "backup/auto_backup.h"
#include "caldav/sync_schedule.h"
#include "caldav/sync_setup_dlg.h"
#include "calendar/online_commands.h"
#include "calendar/vendor_site.h"
#include "controls/desktop_open.h"
#include "controls/msg_box_dlg.h"
#include "days/backup_settings.h"
#include "dialogs/auto_backup_dlg.h"
#include "dialogs/backup_dlg.h"
#include "dialogs/config_dlg.h"
#include "dialogs/help_topic.h"
#include "dialogs/sync_password_dlg.h"
#include "ical/ical_export_dlg.h"
#include "ical/ical_folder.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/program_info.h"
#include "security/error_log.h"
#include "security/session.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QUrl>

namespace orlane {

namespace {
constexpr char kSyncMinutesKey[] = "sync_minutes";
// Only a long sync says how far it is; a few writes pass unseen.
constexpr int kLongSyncWrites = 20;
// An iCalendar file larger than this is refused rather than read into memory.
constexpr qint64 kImportReadLimit = qint64(256) << 20;

// The commands that open the user's data: a hidden start asks for the password first.
bool NeedsLogin(int id) {
  return id == ids::kTrayConfig || id == ids::kBackUpNow || id == ids::kExportIcal || id == ids::kImportIcal;
}
}  // namespace

ProgramCommands::ProgramCommands(CMainDlg& window)
    : QObject(&window), window_(window), sync_(new SyncSchedule(window.Store(), this)) {}

int ProgramCommands::Theme() const {
  return window_.Theme();
}

bool ProgramCommands::OwnsCommand(int id) const {
  switch (id) {
    case ids::kTrayConfig:
    case ids::kShowConfig:
    case ids::kBackUpNow:
    case ids::kExportIcal:
    case ids::kImportIcal:
    case ids::kSyncNow:
    case ids::kTrayWebPage:
    case ids::kHelpWebsite:
    case ids::kTrayEmail:
    case ids::kHelpEmail:
    case ids::kTrayUpdate:
    case ids::kHelpUpdate:
    case ids::kHelpSyncHolidays:
    case ids::kSyncHolidays:
    case ids::kTrayAbout:
    case ids::kHelpAbout:
    case ids::kTrayHelp:
    case ids::kHelpManual: return true;
    default: return false;
  }
}

void ProgramCommands::OnCommand(int id) {
  if (NeedsLogin(id) && LoginPending() && !window_.AskPassword()) return;
  switch (id) {
    case ids::kTrayConfig:
    case ids::kShowConfig: ShowConfig(); break;
    case ids::kBackUpNow: BackUpNow(); break;
    case ids::kExportIcal: ExportIcalendar(); break;
    case ids::kImportIcal: ImportIcalendar(); break;
    case ids::kSyncNow: SyncNow(); break;
    case ids::kTrayWebPage:
    case ids::kHelpWebsite: OpenVendorSite(&window_, Theme()); break;
    case ids::kTrayEmail:
    case ids::kHelpEmail: OpenOnDesktop(QUrl(QStringLiteral("mailto:support@orlane.example.org"))); break;
    case ids::kTrayUpdate:
    case ids::kHelpUpdate: CheckUpdate(&window_, Theme()); break;
    case ids::kHelpSyncHolidays:
    case ids::kSyncHolidays: SyncHolidaysOfShownYear(); break;
    case ids::kTrayAbout:
    case ids::kHelpAbout: ShowAbout(); break;
    case ids::kTrayHelp:
    case ids::kHelpManual: OpenModeHelp(); break;
    default: break;
  }
}

void ProgramCommands::ShowAbout() {
  const QString text = QStringLiteral("Welcome to ") + QLatin1String(kProgramTitle) + QStringLiteral(" v") +
                       QLatin1String(kProgramVersion) +
                       QStringLiteral(
                           "\nA calendar and diary for one person: reminders that fire at their "
                           "second, a formatted diary page and a sound diary for every day.");
  CMsgBoxDlg box(text, 0, Theme(), &window_);
  box.SetCustomTitle(QStringLiteral("About ") + QLatin1String(kProgramTitle));
  box.exec();
}

void ProgramCommands::ShowConfig() {
  ReminderOptions& options = window_.Options();
  CConfigDlg config(window_.Preferences().values(), options.settings(), Theme(), &window_);
  window_.DiaryArea().PrepareConfig(config);
  config.SetServerSetup([this](QWidget* parent) { SetUpSyncServer(parent); });
  if (config.exec() != QDialog::Accepted) return;
  window_.DiaryArea().TakeConfig(config);
  window_.Preferences().apply(config.settings());
  window_.WriteSettings();
  if (!options.change(config.extraSettings()))
    ThemedNotice(QStringLiteral("The settings could not be saved.\n%1: %2")
                     .arg(UserFilePath(kExtraSettingsFileName), LastFileError()),
                 Theme(), &window_);
  FollowSyncSettings();
}

void ProgramCommands::BackUpNow() {
  ReminderOptions& options = window_.Options();
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QFileInfo(documents).isDir()) documents = QDir::homePath();
  CBackupDlg dialog(DefaultBackupPath(options.settings(), QDate::currentDate(), documents), Theme(), &window_,
                    DefaultBackupKdfCost(), AutoBackupPlanOf(options.settings()).has_value());
  if (dialog.exec() != QDialog::Accepted) return;
  ExtraSettings edited = options.settings();
  SetLastBackup(edited, NowSeconds(), dialog.File());
  if (dialog.AtExitKey())
    SetAutoBackup(edited, {QFileInfo(dialog.File()).absolutePath(), CBackupDlg::KeptAtExit(), *dialog.AtExitKey()});
  else if (!dialog.AtExitChosen())
    ClearAutoBackup(edited);
  if (!options.change(edited))
    ThemedNotice(QStringLiteral("The time of the backup could not be saved.\n%1: %2")
                     .arg(UserFilePath(kExtraSettingsFileName), LastFileError()),
                 Theme(), &window_);
  window_.Title().rebuild();
}

void ProgramCommands::BackUpAtExit() {
  ReminderOptions& options = window_.Options();
  const std::optional<AutoBackupPlan> plan = AutoBackupPlanOf(options.settings());
  if (!plan) return;
  CAutoBackupDlg dialog(*plan, QDateTime::currentDateTime(), Theme());
  if (dialog.exec() != QDialog::Accepted) return;
  ExtraSettings kept = options.settings();
  SetLastBackup(kept, NowSeconds(), dialog.File());
  kept.set(QLatin1String(kBackupFolderKey), options.settings().text(QLatin1String(kBackupFolderKey)));
  (void)options.change(kept);  // the backup is there; only its time in the title line would be lost
}

void ProgramCommands::ExportIcalendar() {
  // The calendar holds what is on screen.
  if (!window_.SaveLoadedDay()) return;
  const LocalDate shown = LocalDateOf(window_.SelectedDate());
  CExportIcalDlg dialog(QDate(shown.year, shown.month, shown.day), CurrentPassword(), Theme(), &window_);
  dialog.exec();
}

void ProgramCommands::ImportIcalendar() {
  const QString path = QFileDialog::getOpenFileName(&window_, QStringLiteral("Import iCalendar"), QDir::homePath(),
                                                    QStringLiteral("iCalendar files (*.ics *.ical);;All files (*)"));
  if (path.isEmpty() || !window_.SaveLoadedDay()) return;
  QByteArray text;
  switch (ReadFileBytes(path, text, kImportReadLimit)) {
    case FileReadResult::Ok: break;
    case FileReadResult::TooLarge:
      ThemedNotice(QStringLiteral("%1 is too large to be a calendar.").arg(path), Theme(), &window_);
      return;
    default: ThemedNotice(QStringLiteral("%1 could not be read.").arg(path), Theme(), &window_); return;
  }
  const IcalReadResult read = ReadIcalItems(text);
  if (!read.isCalendar) {
    ThemedNotice(QStringLiteral("%1 is not an iCalendar file. Nothing was imported.").arg(path), Theme(), &window_);
    return;
  }
  IcalImportResult result = ImportIcalItems(window_.Store(), read.items, CurrentPassword());
  result.skipped.insert(result.skipped.begin(), read.skipped.begin(), read.skipped.end());
  // The pages were written beside the session: the shown day takes them over.
  window_.Session().refresh();
  window_.FollowFolderChange();
  ThemedNotice(IcalImportSummary(result), Theme(), &window_);
}

void ProgramCommands::StartSync() {
  sync_->setPrepare([this] {
    if (window_.Session().busy()) return false;
    // What is on screen is what goes out; this save is the sync's own, not a reason for another sync.
    const QScopedValueRollback preparing(syncPreparing_, true);
    return window_.SaveLoadedDay(CMainDlg::SaveFailureReply::Log);
  });
  sync_->setPagePassword([]() -> std::optional<QByteArray> {
    if (LoginPending()) return std::nullopt;
    return CurrentPassword();
  });
  sync_->setAskPassword([this](const SyncState& account) {
    return AskSyncPassword(account.user, QUrl(account.server).host(), Theme(), &window_);
  });
  connect(sync_, &SyncSchedule::finished, this, &ProgramCommands::FollowSync);
  connect(sync_, &SyncSchedule::progress, this, [this](int done, int total) {
    if (total >= kLongSyncWrites)
      window_.Title().setSyncStatus(QStringLiteral("Synchronising %1 of %2 ...").arg(done).arg(total));
  });
  connect(&window_.Session(), &DaySession::daySaved, this, [this] {
    if (!syncPreparing_) sync_->syncSoon();
  });
  FollowSyncSettings();
  sync_->syncNow();
}

void ProgramCommands::SyncNow() {
  if (!SyncSchedule::Configured()) {
    SetUpSyncServer(&window_);
    return;
  }
  sync_->syncNow();
}

void ProgramCommands::SetUpSyncServer(QWidget* parent) {
  CSyncSetupDlg dialog(Theme(), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  sync_->setPassword(dialog.Password());
  sync_->syncNow();
}

void ProgramCommands::FollowSyncSettings() {
  sync_->setMinutes(window_.Options().settings().integer(QLatin1String(kSyncMinutesKey)));
}

void ProgramCommands::FollowSync(const SyncReport& report) {
  if (!report.ok) LogError("%s", qUtf8Printable(SyncReportText(report)));
  FollowSyncSettings();
  window_.FollowFolderChange();
  window_.Title().setSyncStatus(SyncStatusText(report, NowSeconds()));
  if (!report.conflicts.isEmpty())
    ThemedNotice(QStringLiteral("Changed here and on the calendar server, so both versions are kept (a "
                                "reminder's other version at the next free second): %1.")
                     .arg(report.conflicts.join(QStringLiteral(", "))),
                 Theme(), &window_);
}

void ProgramCommands::SyncHolidaysOfShownYear() {
  // The year the person is looking at; both calendars show its holidays in bold at once,
  // and the widget's reminder panel its day's holiday name.
  SyncHolidays(&window_, Theme(), LocalDateOf(window_.SelectedDate()).year);
  window_.FollowFolderChange();
}

void ProgramCommands::OpenModeHelp() {
  const int mode = window_.Mode();
  const char* topic = mode == ids::kModeDiary   ? help::kDiary
                      : mode == ids::kModeSound ? help::kSoundDiary
                                                : help::kReminders;
  OpenHelpTopic(QLatin1String(topic), Theme(), &window_);
}

}  // namespace orlane
