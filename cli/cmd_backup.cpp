#include "backup/backup_file.h"
#include "cli/commands.h"
#include "days/backup_settings.h"
#include "platform/app_paths.h"
#include "platform/clock.h"

#include <QFileInfo>

namespace orlane::cli {

namespace {
constexpr char kUsage[] = "usage: orlanectl backup create FILE | backup verify FILE | backup restore FILE DIR";

// ORLANE_BACKUP_PASSPHRASE, else typed on the terminal (twice when it is a new
// one); kExitOk with the passphrase or the exit code to end with.
int TakePassphrase(const CliContext& context, bool twice, QByteArray& passphrase) {
  if (qEnvironmentVariableIsSet("ORLANE_BACKUP_PASSPHRASE")) {
    passphrase = qgetenv("ORLANE_BACKUP_PASSPHRASE");
  } else {
    const std::optional<QByteArray> typed = CliContext::askHidden("Backup passphrase: ");
    if (!typed) return context.usage(QStringLiteral("a passphrase is needed: ORLANE_BACKUP_PASSPHRASE or a terminal"));
    if (twice && CliContext::askHidden("Once more: ").value_or(QByteArray()) != *typed)
      return context.fail(kExitRefused, QStringLiteral("The two passphrases differ."));
    passphrase = *typed;
  }
  if (passphrase.isEmpty()) return context.usage(QStringLiteral("the backup passphrase is empty"));
  return kExitOk;
}

int ExitCodeOf(const CliContext& context, const BackupReport& report) {
  switch (report.result) {
    case BackupResult::Done: return kExitOk;
    case BackupResult::WrongPassphrase:
      return context.fail(kExitWrongPassword, BackupResultMessage(report.result, report.detail));
    case BackupResult::TargetNotEmpty:
    case BackupResult::TargetIsUserFolder:
      return context.fail(kExitRefused, BackupResultMessage(report.result, report.detail));
    default: return context.fail(kExitFileError, BackupResultMessage(report.result, report.detail));
  }
}
// A backup made counts for the title line's reminder; when its time cannot be
// stored the backup still stands, and the user is told.
int Created(const CliContext& context, const BackupReport& report, const QString& file) {
  const int code = ExitCodeOf(context, report);
  if (code != kExitOk) return code;
  const QString path = UserFilePath(kExtraSettingsFileName);
  if (RecordBackup(path, NowSeconds(), file) != WriteResult::Written)
    return context.fail(kExitOk, QStringLiteral("The backup was made, but its time could not be stored in ") + path);
  return kExitOk;
}
}  // namespace

int RunBackup(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  const QString action = context.arg(0);
  const qsizetype wanted = action == QLatin1String("restore") ? 3 : 2;
  const bool known =
      action == QLatin1String("create") || action == QLatin1String("verify") || action == QLatin1String("restore");
  if (!known || context.args().size() != wanted) return context.usage(QLatin1String(kUsage));
  const QString file = QFileInfo(context.arg(1)).absoluteFilePath();
  if (action != QLatin1String("create") && !QFileInfo(file).isFile())
    return context.fail(kExitRefused, QStringLiteral("not found: ") + file);

  QByteArray passphrase;
  if (const int code = TakePassphrase(context, action == QLatin1String("create"), passphrase)) return code;
  if (action == QLatin1String("create")) return Created(context, CreateBackup(UserFolder(), file, passphrase), file);
  if (action == QLatin1String("verify")) {
    const int code = ExitCodeOf(context, VerifyBackup(file, passphrase));
    if (code == kExitOk) CliContext::print(QStringLiteral("The backup is sound: every entry decrypts and checks."));
    return code;
  }
  return ExitCodeOf(context, RestoreBackup(file, context.arg(2), UserFolder(), passphrase));
}

}  // namespace orlane::cli
