#include "reminders/day_search.h"

#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_file.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <set>

namespace orlane {

namespace {
bool IsWordChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QStringView DayKeyOfPath(QStringView path) {
  const qsizetype name = path.lastIndexOf(QLatin1Char('/')) + 1;
  return path.sliced(name, std::max<qsizetype>(0, path.size() - name - 4));
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

bool NoteMatches(QByteArrayView note, const SearchOptions& options, const TextFinder& finder) {
  return options.term.isEmpty() || finder.findUtf8(note) >= 0;
}

bool ReminderMapMatches(const ReminderMap& map, const SearchOptions& options, const TextFinder& finder) {
  for (const auto& [key, value] : map) {
    // The note follows the first CR LF; the head is parsed only for the active filter.
    const qsizetype crlf = value.indexOf("\r\n");
    if (crlf < 0) continue;
    if (options.activeOnly && !IsActive(value)) continue;
    if (NoteMatches(QByteArrayView(value).sliced(crlf + 2), options, finder)) return true;
  }
  return false;
}

TextFinder FinderOf(const SearchOptions& options) {
  return TextFinder(options.term, options.matchCase, options.wholeWord);
}

}  // namespace

TextFinder::TextFinder(const QString& needle, bool matchCase, bool wholeWord)
    : matcher_(needle, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive),
      length_(needle.size()),
      wholeWord_(wholeWord) {}

qsizetype TextFinder::findUtf8(QByteArrayView text) const {
  if (length_ == 0) return -1;
  // Every UTF-8 byte gives at most one UTF-16 unit.
  if (buffer_.size() < text.size()) buffer_.resize(text.size());
  QChar* const begin = buffer_.data();
  const QChar* const end = decoder_.appendToBuffer(begin, text);
  return find(QStringView(begin, end - begin));
}

qsizetype TextFinder::find(QStringView text, qsizetype from) const {
  if (length_ == 0) return -1;
  for (qsizetype at = matcher_.indexIn(text, from); at >= 0; at = matcher_.indexIn(text, at + 1)) {
    if (!wholeWord_) return at;
    const qsizetype end = at + length_;
    const bool startsWord = at == 0 || !IsWordChar(text[at - 1]);
    const bool endsWord = end >= text.size() || !IsWordChar(text[end]);
    if (startsWord && endsWord) return at;
  }
  return -1;
}

qsizetype FindText(const QString& text, const QString& needle, bool matchCase, bool wholeWord, qsizetype from) {
  return TextFinder(needle, matchCase, wholeWord).find(text, from);
}

QStringList CollectDayFiles(SearchKind kind) {
  const QString suffix = kind == SearchKind::Diary ? QStringLiteral(".dia") : QStringLiteral(".alm");
  // The iterator takes the file kind from the folder listing, without a look at each file.
  QStringList names;
  const QString folder = QDir(UserFolder()).absolutePath() + QLatin1Char('/');
  QDirIterator it(folder, QDir::Files);
  while (it.hasNext()) {
    it.next();
    QString name = it.fileName();
    // The name filter of the folder listing matches without regard to case, as this does.
    if (name.endsWith(suffix, Qt::CaseInsensitive)) names << std::move(name);
  }
  // The names sort as the paths do; without the folder in front they compare faster.
  names.sort();
  for (QString& name : names) name.prepend(folder);
  return names;
}

QStringList FilesInRange(const QStringList& files, const SearchOptions& options) {
  QStringList kept;
  for (const QString& f : files) {
    const QStringView key = DayKeyOfPath(f);
    if (options.fromKey && key < *options.fromKey) continue;
    if (options.toKey && key > *options.toKey) continue;
    kept << f;
  }
  return kept;
}

bool ReminderFileMatches(const QString& path, const SearchOptions& options) {
  ReminderMap map;
  LoadReminderDay(path, map);
  return ReminderMapMatches(map, options, FinderOf(options));
}

RecurringMatches MatchingOccurrences(const SearchOptions& options) {
  const TextFinder finder = FinderOf(options);
  RecurringSet set;
  LoadRecurringFile(RecurringFilePath(), set);
  const LocalDate today = LocalDateOf(NowSeconds());
  const QDate last = options.toKey ? DayKeyDate(*options.toKey) : QDate(today.year, today.month, today.day).addYears(1);
  const QDate first = options.fromKey ? DayKeyDate(*options.fromKey) : QDate(1, 1, 1);
  RecurringMatches days;
  for (const RecurringReminder& series : set.series) {
    // Every occurrence has the series' note: one look at it decides them all.
    if (!NoteMatches(series.note, options, finder) || (options.activeOnly && !series.active)) continue;
    for (const Occurrence& o : OccurrencesIn(series, std::max(first, series.start), last))
      if (!options.activeOnly || !series.hasFired(o.date))
        days[MakeDayKey(o.date.year(), o.date.month(), o.date.day())].insert(o.timeKey);
  }
  return days;
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
  std::set<QString> found;
  const TextFinder finder = FinderOf(options);
  RecurringMatches occurring;
  if (kind == SearchKind::Reminders) occurring = MatchingOccurrences(options);
  for (int i = 0; i < files.size(); ++i) {
    if (progress && !progress(i, static_cast<int>(all.size()))) {
      result.stopped = true;
      break;
    }
    const QString key = DayKeyOfPath(files[i]).toString();
    bool match = false;
    if (kind == SearchKind::Diary) {
      QString context;
      match = DiaryFileMatches(files[i], options, password, reader, &context);
      if (match && !context.isEmpty()) result.contexts.insert(key, context);
    } else {
      ReminderMap map;
      LoadReminderDay(files[i], map);
      match = ReminderMapMatches(map, options, finder);
      // A one-off reminder hides the occurrence at its time.
      if (const auto day = occurring.find(key); day != occurring.end()) {
        for (const auto& entry : map) day->second.erase(entry.first);
        if (day->second.empty()) occurring.erase(day);
      }
    }
    if (match) found.insert(key);
  }
  if (!result.stopped)
    for (const auto& entry : occurring) found.insert(entry.first);
  result.dayKeys = QStringList(found.begin(), found.end());
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
