#include "reminders/day_search.h"

#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace orlane {

namespace {
bool IsWordChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QString DayKeyOfPath(const QString& path) {
  return QFileInfo(path).fileName().chopped(4);
}

struct KeyDate {
  int year, month, day;
};
std::optional<KeyDate> DateOfKey(const QString& key) {
  if (key.size() != 8) return std::nullopt;
  bool y = false, m = false, d = false;
  const KeyDate date{key.left(4).toInt(&y, 16), key.mid(4, 2).toInt(&m, 16), key.mid(6, 2).toInt(&d, 16)};
  if (!y || !m || !d) return std::nullopt;
  return date;
}
}  // namespace

qsizetype FindText(const QString& text, const QString& needle, bool matchCase, bool wholeWord, qsizetype from) {
  if (needle.isEmpty()) return -1;
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (qsizetype at = text.indexOf(needle, from, cs); at >= 0; at = text.indexOf(needle, at + 1, cs)) {
    if (!wholeWord) return at;
    const qsizetype end = at + needle.size();
    const bool startsWord = at == 0 || !IsWordChar(text[at - 1]);
    const bool endsWord = end >= text.size() || !IsWordChar(text[end]);
    if (startsWord && endsWord) return at;
  }
  return -1;
}

QStringList CollectDayFiles(SearchKind kind) {
  const QString pattern = kind == SearchKind::Diary ? QStringLiteral("*.dia") : QStringLiteral("*.alm");
  QStringList files;
  for (const QFileInfo& f : QDir(UserFolder()).entryInfoList({pattern}, QDir::Files, QDir::Name))
    files << f.absoluteFilePath();
  return files;
}

QStringList FilesInRange(const QStringList& files, const SearchOptions& options) {
  QStringList kept;
  for (const QString& f : files) {
    const QString key = DayKeyOfPath(f);
    if (options.fromKey && key < *options.fromKey) continue;
    if (options.toKey && key > *options.toKey) continue;
    kept << f;
  }
  return kept;
}

bool ReminderFileMatches(const QString& path, const SearchOptions& options) {
  ReminderMap map;
  LoadReminderDay(path, map);
  for (const auto& [key, value] : map) {
    if (!value.contains("\r\n")) continue;
    const Reminder reminder = ParseReminderValue(value);
    if (options.activeOnly && !reminder.active) continue;
    if (!options.term.isEmpty() &&
        FindText(QString::fromUtf8(reminder.note), options.term, options.matchCase, options.wholeWord) < 0)
      continue;
    return true;
  }
  return false;
}

bool DiaryFileMatches(const QString& path, const SearchOptions& options, const QByteArray& password,
                      const DiaryTextReader& reader, QString* context) {
  QByteArray bytes;
  DiaryPageText page;
  if (ReadFileBytes(path, bytes) == FileReadResult::Ok &&
      CheckPasswordHeader(bytes, password) == PasswordHeaderCheck::Matches && reader)
    page = reader(UnwrapPasswordHeader(bytes));
  const qsizetype at =
      options.term.isEmpty() ? -1 : FindText(page.text, options.term, options.matchCase, options.wholeWord);
  if (!options.term.isEmpty() && at < 0) return false;
  if (options.hasPicture && !page.hasObject) return false;
  if (context) *context = HitContext(page.text, at, options.term.size());
  return true;
}

QString HitContext(const QString& text, qsizetype at, qsizetype n, int maxChars) {
  const auto lineEnd = [&text](qsizetype from) {
    const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
    return end < 0 ? text.size() : end;
  };
  const auto readable = [](QString line) { return line.remove(QChar::ObjectReplacementCharacter).simplified(); };
  if (at < 0 || at > text.size()) {
    // No hit: the first line with something to read.
    n = 0;
    for (qsizetype from = 0; from < text.size() && at < 0; from = lineEnd(from) + 1)
      if (!readable(text.mid(from, lineEnd(from) - from)).isEmpty()) at = from;
    if (at < 0) return {};
  }
  const qsizetype start = at == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), at - 1) + 1;
  const qsizetype end = lineEnd(at);
  qsizetype from = start;
  qsizetype to = end;
  if (to - from > maxChars) {
    // A few words before the hit, the rest after it.
    from = std::max(start, std::min(at - maxChars / 3, end - maxChars));
    to = std::min(end, from + std::max<qsizetype>(maxChars, n));
  }
  QString line = readable(text.mid(from, to - from));
  if (from > start) line.prepend(QChar(0x2026));
  if (to < end) line.append(QChar(0x2026));
  return line;
}

SearchResult SearchDayFiles(SearchKind kind, const SearchOptions& options, const QByteArray& password,
                            const DiaryTextReader& reader, const SearchProgress& progress) {
  const QStringList all = CollectDayFiles(kind);
  const QStringList files = FilesInRange(all, options);
  SearchResult result;
  for (int i = 0; i < files.size(); ++i) {
    if (progress && !progress(i, static_cast<int>(all.size()))) {
      result.stopped = true;
      break;
    }
    QString context;
    const bool match = kind == SearchKind::Diary ? DiaryFileMatches(files[i], options, password, reader, &context)
                                                 : ReminderFileMatches(files[i], options);
    const QString key = DayKeyOfPath(files[i]);
    if (!match || result.dayKeys.contains(key)) continue;
    result.dayKeys << key;
    if (!context.isEmpty()) result.contexts.insert(key, context);
  }
  return result;
}

QString SearchStatusMessage(SearchKind kind, int found) {
  return kind == SearchKind::Diary ? QStringLiteral("%1 diary entries found.").arg(found)
                                   : QStringLiteral("%1 reminders found.").arg(found);
}

QString SearchResultEntry(const QString& dayKey, int dateFormat) {
  const std::optional<KeyDate> d = DateOfKey(dayKey);
  if (!d) return {};
  auto two = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
  const QString year = QString::number(d->year).rightJustified(4, QLatin1Char('0'));
  switch (dateFormat) {
    case 0: return two(d->month) + QLatin1Char('/') + two(d->day) + QLatin1Char('/') + year;
    case 1: return two(d->day) + QLatin1Char('/') + two(d->month) + QLatin1Char('/') + year;
    case 2: return year + QLatin1Char('/') + two(d->month) + QLatin1Char('/') + two(d->day);
    default: return {};
  }
}

std::optional<QString> DayKeyOfSearchEntry(const QString& entry, int dateFormat) {
  if (entry.size() != 10) return std::nullopt;
  auto num = [&](int at, int n) { return entry.mid(at, n).toInt(); };
  int year = 0, month = 0, day = 0;
  switch (dateFormat) {
    case 0: month = num(0, 2), day = num(3, 2), year = num(6, 4); break;
    case 1: day = num(0, 2), month = num(3, 2), year = num(6, 4); break;
    case 2: year = num(0, 4), month = num(5, 2), day = num(8, 2); break;
    default: return std::nullopt;
  }
  if (year <= 0 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  return MakeDayKey(year, month, day);
}

}  // namespace orlane
