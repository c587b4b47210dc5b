#include "cli/commands.h"
#include "cli/diary_text.h"
#include "days/day_files.h"
#include "days/settings_file.h"
#include "platform/file_io.h"
#include "reminders/day_search.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orlane::cli {

namespace {
constexpr char kUsage[] =
    "usage: orlanectl search TERM (--diary|--reminders) [--from DATE] [--to DATE] [--case] [--whole-word] "
    "[--active] [--has-picture] [--json]";

QString IsoOfKey(const QString& key) {
  return SearchResultEntry(key, 2).replace(QLatin1Char('/'), QLatin1Char('-'));
}

bool TakeDate(CliContext& context, const char* name, std::optional<QString>& key) {
  std::optional<QString> text;
  if (!context.takeOption(name, text)) return false;
  if (!text) return true;
  const std::optional<CalendarDate> d = context.parseDate(*text);
  if (!d) return false;
  key = MakeDayKey(d->year, d->month, d->day);
  return true;
}

bool DamagedReminderFile(const QString& path) {
  ReminderMap map;
  const ReminderLoadResult r = LoadReminderDay(path, map);
  return r == ReminderLoadResult::Damaged || r == ReminderLoadResult::Unreadable;
}

// unreadablePages: the pages under the password the search found not to be RTF.
bool DamagedDiaryFile(const QString& path, const QByteArray& password, const QSet<QByteArray>& unreadablePages) {
  QByteArray bytes;
  if (ReadFileBytes(path, bytes) != FileReadResult::Ok) return true;
  switch (CheckPasswordHeader(bytes, password)) {
    case PasswordHeaderCheck::TooShort: return true;
    case PasswordHeaderCheck::OtherPassword: return false;
    case PasswordHeaderCheck::Matches: break;
  }
  return unreadablePages.contains(UnwrapPasswordHeader(bytes));
}

// The search cannot look into a damaged day file: each is named on standard
// error, so that it is never taken for a day without the term. kExitOk when
// there was none.
int TellDamagedDays(CliContext& context, SearchKind kind, const SearchOptions& options, const QByteArray& password,
                    const QSet<QByteArray>& unreadablePages) {
  int code = kExitOk;
  for (const QString& path : FilesInRange(CollectDayFiles(kind), options)) {
    const bool damaged =
        kind == SearchKind::Diary ? DamagedDiaryFile(path, password, unreadablePages) : DamagedReminderFile(path);
    if (!damaged) continue;
    const QString key = QFileInfo(path).completeBaseName();
    code = context.fail(kExitFileError, QStringLiteral("damaged, not searched: ") + IsoOfKey(key) +
                                            QStringLiteral(" (") + path + QLatin1Char(')'));
  }
  return code;
}
}  // namespace

int RunSearch(CliContext& context) {
  const bool diary = context.takeFlag("diary");
  const bool reminders = context.takeFlag("reminders");
  const bool json = context.takeFlag("json");
  SearchOptions options;
  options.matchCase = context.takeFlag("case");
  options.wholeWord = context.takeFlag("whole-word");
  options.activeOnly = context.takeFlag("active");
  options.hasPicture = context.takeFlag("has-picture");
  if (!TakeDate(context, "from", options.fromKey) || !TakeDate(context, "to", options.toKey)) return kExitUsage;
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (diary == reminders || context.args().size() != 1) return context.usage(QLatin1String(kUsage));
  options.term = context.arg(0);

  QByteArray password;
  if (diary) {
    if (const int code = context.login(password)) return code;
  }
  const SearchKind kind = diary ? SearchKind::Diary : SearchKind::Reminders;
  QSet<QByteArray> unreadablePages;
  const SearchResult result =
      SearchDayFiles(kind, options, password, diary ? CliDiaryTextReader(&unreadablePages) : DiaryTextReader{});
  if (json) {
    QJsonArray array;
    for (const QString& key : result.dayKeys) array.append(QJsonObject{{QStringLiteral("date"), IsoOfKey(key)}});
    CliContext::printRaw(QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n');
  } else {
    for (const QString& key : result.dayKeys) CliContext::print(IsoOfKey(key));
  }
  return TellDamagedDays(context, kind, options, password, unreadablePages);
}

}  // namespace orlane::cli
