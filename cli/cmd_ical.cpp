// orlanectl ical export [--from DATE] [--to DATE] [--diary]: the folder's
// reminders (and pages) as one iCalendar document on standard output;
// orlanectl ical import FILE: events, to-dos and journals into the folder.
#include "cli/commands.h"
#include "ical/ical_folder.h"
#include "platform/file_io.h"

#include <QFileInfo>

namespace orlane::cli {

namespace {
constexpr char kUsage[] = "usage: orlanectl ical export [--from DATE] [--to DATE] [--diary] | ical import FILE";
// An iCalendar file larger than this is refused rather than read into memory.
constexpr qint64 kImportReadLimit = qint64(256) << 20;

int Export(CliContext& context) {
  std::optional<QString> from;
  std::optional<QString> to;
  if (!context.takeOption("from", from) || !context.takeOption("to", to)) return kExitUsage;
  IcalExportRequest request;
  request.diary = context.takeFlag("diary");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 1) return context.usage(QLatin1String(kUsage));
  const std::optional<QString> fromKey = context.rangeKey(from, request.fromKey);
  const std::optional<QString> toKey = context.rangeKey(to, request.toKey);
  if (!fromKey || !toKey) return kExitUsage;
  if (*fromKey > *toKey) return context.usage(QStringLiteral("--from is after --to"));
  request.fromKey = *fromKey;
  request.toKey = *toKey;
  if (request.diary)
    if (const int code = context.login(request.password)) return code;
  ReminderStore store;
  const IcalExportResult result = CollectIcalItems(store, request);
  CliContext::printRaw(IcalCalendarText(result.items));
  // The calendar is out; a script still learns what it lacks.
  if (!result.unreadable.isEmpty())
    context.fail(kExitFileError,
                 QStringLiteral("Not complete, could not be read: ") + result.unreadable.join(QStringLiteral(", ")));
  if (!result.otherPassword.isEmpty())
    return context.fail(kExitOtherPassword, QStringLiteral("Pages left out, written under another password: ") +
                                                result.otherPassword.join(QStringLiteral(", ")));
  return result.unreadable.isEmpty() ? kExitOk : kExitFileError;
}

bool HasPages(const std::vector<IcalItem>& items) {
  return std::any_of(items.begin(), items.end(),
                     [](const IcalItem& item) { return item.kind == IcalItemKind::DiaryPage; });
}

int Import(CliContext& context) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 2) return context.usage(QLatin1String(kUsage));
  const QString source = QFileInfo(context.arg(1)).absoluteFilePath();
  QByteArray text;
  switch (ReadFileBytes(source, text, kImportReadLimit)) {
    case FileReadResult::Ok: break;
    case FileReadResult::TooLarge: return context.fail(kExitFileError, QStringLiteral("too large: ") + source);
    default: return context.fail(kExitFileError, QStringLiteral("cannot read ") + source);
  }
  IcalReadResult read = ReadIcalItems(text);
  if (!read.isCalendar) return context.usage(QStringLiteral("not an iCalendar file: ") + source);
  // Pages are written under the password of the user file; reminders need none.
  QByteArray password;
  if (HasPages(read.items))
    if (const int code = context.login(password)) return code;
  if (!context.ensureUserFolder()) return context.fail(kExitFileError, QStringLiteral("cannot make the user folder"));
  ReminderStore store;
  IcalImportResult result = ImportIcalItems(store, read.items, password);
  result.skipped.insert(result.skipped.begin(), read.skipped.begin(), read.skipped.end());
  CliContext::print(IcalImportSummary(result));
  return result.ok() ? kExitOk : kExitFileError;
}
}  // namespace

int RunIcal(CliContext& context) {
  const QString verb = context.arg(0);
  if (verb == QLatin1String("export")) return Export(context);
  if (verb == QLatin1String("import")) return Import(context);
  return context.usage(QLatin1String(kUsage));
}

}  // namespace orlane::cli
