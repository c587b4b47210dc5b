#include "reminders/day_search.h"

#include "days/day_files.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/services.h"
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_file.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"

#include <QDir>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace orlane {

namespace {
bool IsWordChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}
bool IsWordChar(char c) {
  return IsWordChar(QLatin1Char(c));
}

bool IsAscii(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAscii(QByteArrayView text) {
  // Eight bytes at a time, the last eight of a longer text overlapping the others.
  const auto word = [&text](qsizetype at) {
    std::uint64_t w = 0;
    std::memcpy(&w, text.data() + at, sizeof w);
    return w;
  };
  std::uint64_t bits = 0;
  if (text.size() < 8) {
    for (char c : text) bits |= static_cast<unsigned char>(c);
  } else {
    for (qsizetype at = 0; at + 8 <= text.size(); at += 8) bits |= word(at);
    bits |= word(text.size() - 8);
  }
  return (bits & 0x8080808080808080u) == 0;
}

// The first hit of matcher in text at or after from; with wholeWord, the
// first that is bounded by non-word characters.
template <typename Matcher, typename Text>
qsizetype FindHit(const Matcher& matcher, Text text, qsizetype from, qsizetype length, bool wholeWord) {
  for (qsizetype at = matcher.indexIn(text, from); at >= 0; at = matcher.indexIn(text, at + 1)) {
    if (!wholeWord) return at;
    const qsizetype end = at + length;
    const bool startsWord = at == 0 || !IsWordChar(text[at - 1]);
    const bool endsWord = end >= text.size() || !IsWordChar(text[end]);
    if (startsWord && endsWord) return at;
  }
  return -1;
}

QStringView DayKeyOfPath(QStringView path) {
  const qsizetype name = std::find(path.rbegin(), path.rend(), QChar(u'/')).base() - path.begin();
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

// One reminder is found by its note, which follows the head; the head is
// parsed only for the active filter.
bool ReminderMatches(QByteArrayView value, const SearchOptions& options, const TextFinder& finder) {
  const std::optional<ReminderValueParts> parts = SplitReminderValue(value);
  if (!parts || (options.activeOnly && !IsActive(value))) return false;
  return NoteMatches(parts->note, options, finder);
}

// As the day's map holds them, with its time keys taken out of hidden.
bool DayMapMatches(const QByteArray& plain, const SearchOptions& options, const TextFinder& finder,
                   std::set<QByteArray>* hidden) {
  ReminderMap map;
  ParseReminderDay(plain, map);
  if (hidden)
    for (const auto& entry : map) hidden->erase(entry.first);
  return std::any_of(map.begin(), map.end(),
                     [&](const auto& entry) { return ReminderMatches(entry.second, options, finder); });
}

// Whether an unscrambled day has a reminder that matches, with the time keys
// of its reminders taken out of hidden (when given). Days are written in time
// order: while the keys rise none comes twice, so the pairs are looked at in
// place; a day out of order is looked at as its map, which keeps the last
// value of a key.
bool DayMatches(const QByteArray& plain, const SearchOptions& options, const TextFinder& finder,
                std::set<QByteArray>* hidden) {
  // A term nowhere in the day's bytes is in none of its notes.
  bool looking = options.term.isEmpty() || finder.mayFindUtf8In(plain);
  if (!looking && !hidden) return false;
  ReminderDayReader day(plain);
  bool match = false;
  std::optional<QByteArrayView> last;
  for (QByteArrayView key, value; day.next(key, value); last = key) {
    if (last && !(*last < key)) return DayMapMatches(plain, options, finder, hidden);
    if (hidden) hidden->erase(QByteArray::fromRawData(key.data(), key.size()));
    if (looking && ReminderMatches(value, options, finder)) {
      match = true;
      looking = false;
    }
  }
  return match;
}

}  // namespace

// The recurring file as the last search parsed it.
struct RecurringParseCache {
  std::mutex mutex;
  QByteArray text;
  std::shared_ptr<const RecurringSet> set;
};

namespace {

// The series of the recurring file. A search after another mostly finds the
// file as it was, so its last parse is used again while the text is the same.
std::shared_ptr<const RecurringSet> RecurringSeries() {
  QByteArray text;
  ReadRecurringFile(RecurringFilePath(), text);
  const std::shared_ptr<RecurringParseCache> cache = MadeService(&Services::recurringParse);
  const std::lock_guard<std::mutex> lock(cache->mutex);
  if (!cache->set || text != cache->text) {
    auto set = std::make_shared<RecurringSet>();
    ParseRecurringFile(text, *set);
    cache->set = std::move(set);
    cache->text = std::move(text);
  }
  return cache->set;
}

TextFinder FinderOf(const SearchOptions& options) {
  return TextFinder(options.term, options.matchCase, options.wholeWord);
}

}  // namespace

AsciiMatcher::AsciiMatcher(QByteArrayView needle, bool matchCase) {
  for (int c = 0; c < 256; ++c) fold_[c] = matchCase ? static_cast<char>(c) : AsciiLower(static_cast<char>(c));
  for (char c : needle) needle_ += fold(c);
  const auto n = static_cast<int>(needle_.size());
  skip_.fill(n);
  for (int i = 0; i + 1 < n; ++i) skip_[static_cast<unsigned char>(needle_[i])] = n - 1 - i;
}

qsizetype AsciiMatcher::indexIn(QByteArrayView text, qsizetype from) const {
  const qsizetype n = needle_.size();
  if (n == 0) return from <= text.size() ? from : -1;
  // Each window is judged by its last byte first, which also tells the shift.
  for (qsizetype at = from; at + n <= text.size();) {
    const char last = fold(text[at + n - 1]);
    if (last == needle_[n - 1]) {
      qsizetype k = n - 2;
      while (k >= 0 && fold(text[at + k]) == needle_[k]) --k;
      if (k < 0) return at;
    }
    at += skip_[static_cast<unsigned char>(last)];
  }
  return -1;
}

TextFinder::TextFinder(const QString& needle, bool matchCase, bool wholeWord)
    : matcher_(needle, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive),
      length_(needle.size()),
      wholeWord_(wholeWord) {
  if (IsAscii(needle)) asciiMatcher_.emplace(needle.toLatin1(), matchCase);
}

qsizetype TextFinder::findUtf8(QByteArrayView text) const {
  if (length_ == 0) return -1;
  // Beyond ASCII a letter may fold onto an ASCII one (the Kelvin sign onto
  // 'k'), so such text is decoded and matched as a string.
  if (asciiMatcher_ && IsAscii(text)) return FindHit(*asciiMatcher_, text, 0, length_, wholeWord_);
  // Every UTF-8 byte gives at most one UTF-16 unit.
  if (buffer_.size() < text.size()) buffer_.resize(text.size());
  QChar* const begin = buffer_.data();
  const QChar* const end = decoder_.appendToBuffer(begin, text);
  return find(QStringView(begin, end - begin));
}

bool TextFinder::mayFindUtf8In(QByteArrayView text) const {
  return !asciiMatcher_ || !IsAscii(text) || asciiMatcher_->indexIn(text) >= 0;
}

qsizetype TextFinder::find(QStringView text, qsizetype from) const {
  if (length_ == 0) return -1;
  return FindHit(matcher_, text, from, length_, wholeWord_);
}

qsizetype FindText(const QString& text, const QString& needle, bool matchCase, bool wholeWord, qsizetype from) {
  return TextFinder(needle, matchCase, wholeWord).find(text, from);
}

QStringList CollectDayFiles(SearchKind kind) {
  const QString suffix = kind == SearchKind::Diary ? QStringLiteral(".dia") : QStringLiteral(".alm");
  const QString folder = QDir(UserFolder()).absolutePath();
  // In name order, which is path order.
  QStringList paths = FilePathsIn(folder);
  // The name filter of the folder listing matches without regard to case, as this does.
  paths.removeIf([&suffix](const QString& path) { return !path.endsWith(suffix, Qt::CaseInsensitive); });
  return paths;
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
  QByteArray plain;
  ReadReminderDay(path, plain);
  return DayMatches(plain, options, FinderOf(options), nullptr);
}

RecurringMatches MatchingOccurrences(const SearchOptions& options) {
  const TextFinder finder = FinderOf(options);
  const std::shared_ptr<const RecurringSet> set = RecurringSeries();
  const LocalDate today = LocalDateOf(NowSeconds());
  const QDate last = options.toKey ? DayKeyDate(*options.toKey) : QDate(today.year, today.month, today.day).addYears(1);
  const QDate first = options.fromKey ? DayKeyDate(*options.fromKey) : QDate(1, 1, 1);
  RecurringMatches days;
  for (const RecurringReminder& series : set->series) {
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
  QByteArray plain;
  RecurringMatches occurring;
  if (kind == SearchKind::Reminders) occurring = MatchingOccurrences(options);
  for (int i = 0; i < files.size(); ++i) {
    if (progress && !progress(i, static_cast<int>(all.size()))) {
      result.stopped = true;
      break;
    }
    // The key as a string only where one is kept or looked up.
    const QStringView key = DayKeyOfPath(files[i]);
    bool match = false;
    if (kind == SearchKind::Diary) {
      QString context;
      match = DiaryFileMatches(files[i], options, password, reader, &context);
      if (match && !context.isEmpty()) result.contexts.insert(key.toString(), context);
    } else {
      // A one-off reminder hides the occurrence at its time.
      const auto day = occurring.empty() ? occurring.end() : occurring.find(key.toString());
      std::set<QByteArray>* const hidden = day == occurring.end() ? nullptr : &day->second;
      ReadReminderDay(files[i], plain);
      match = DayMatches(plain, options, finder, hidden);
      if (hidden && hidden->empty()) occurring.erase(day);
    }
    if (match) found.insert(key.toString());
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
