#include "cli/commands.h"
#include "cli/diary_text.h"
#include "days/day_files.h"
#include "days/settings_file.h"
#include "reminders/day_search.h"

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
  const std::optional<CalendarDate> d = ParseIsoDate(*text);
  if (!d) {
    context.usage(QStringLiteral("not a date (YYYY-MM-DD): ") + *text);
    return false;
  }
  key = MakeDayKey(d->year, d->month, d->day);
  return true;
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
  const SearchResult result = SearchDayFiles(diary ? SearchKind::Diary : SearchKind::Reminders, options, password,
                                             diary ? CliDiaryTextReader() : DiaryTextReader{});
  if (json) {
    QJsonArray array;
    for (const QString& key : result.dayKeys) array.append(QJsonObject{{QStringLiteral("date"), IsoOfKey(key)}});
    CliContext::printRaw(QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n');
  } else {
    for (const QString& key : result.dayKeys) CliContext::print(IsoOfKey(key));
  }
  return kExitOk;
}

}  // namespace orlane::cli
