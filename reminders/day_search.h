// Searching every diary page or every reminder note of the user folder for a
// term, within an optional range of days, with the match-case and whole-word
// options of the find command. Results are day keys; the window formats them
// by the user's date format and opens them.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QStringMatcher>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace orlane {

enum class SearchKind { Diary, Reminders };

struct SearchOptions {
  QString term;  // empty: every file that passes the filters
  bool matchCase = false;
  bool wholeWord = false;
  std::optional<QString> fromKey;  // first day key, inclusive
  std::optional<QString> toKey;    // last day key, inclusive
  bool activeOnly = false;         // reminders: only those with the active marker
  bool hasPicture = false;         // diaries: only pages with an embedded object
};

// What the search needs of a diary page: its plain text and whether it holds
// an embedded object (a picture or an attached file). The diary library
// provides the reader.
struct DiaryPageText {
  QString text;
  bool hasObject = false;
};
using DiaryTextReader = std::function<DiaryPageText(const QByteArray& rtf)>;

// The find rule of the editors: the first position of needle in text at or
// after from, -1 when absent. Whole words are bounded by characters that are
// neither letters, digits nor '_'.
qsizetype FindText(const QString& text, const QString& needle, bool matchCase, bool wholeWord, qsizetype from = 0);

// Boyer-Moore-Horspool over bytes, ASCII letters alike in either case unless
// case matters: on ASCII text with an ASCII needle, what QStringMatcher finds.
class AsciiMatcher final {
 public:
  AsciiMatcher(QByteArrayView needle, bool matchCase);
  // The first position of the needle at or after from, -1 when absent.
  qsizetype indexIn(QByteArrayView text, qsizetype from = 0) const;

 private:
  char fold(char c) const { return fold_[static_cast<unsigned char>(c)]; }

  std::array<char, 256> fold_{};
  std::array<int, 256> skip_{};  // by the folded last byte of a window
  QByteArray needle_;            // folded
};

// FindText for one needle over many texts: the matcher's table is built once.
// Not for use by two threads at once: the UTF-8 form decodes into a buffer of
// its own.
class TextFinder final {
 public:
  TextFinder(const QString& needle, bool matchCase, bool wholeWord);
  qsizetype find(QStringView text, qsizetype from = 0) const;
  // In UTF-8 text (a reminder's note), decoded into a buffer the finder keeps
  // between calls rather than into a new string each time. ASCII text with an
  // ASCII needle is looked at byte by byte, without decoding.
  qsizetype findUtf8(QByteArrayView text) const;
  // Whether findUtf8 could find the needle in a part of text: false only when
  // both are ASCII and the needle is nowhere in text.
  bool mayFindUtf8In(QByteArrayView text) const;

 private:
  QStringMatcher matcher_;
  // As QString::fromUtf8 decodes (a leading byte order mark is dropped), each text on its own.
  mutable QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
  mutable QString buffer_;
  std::optional<AsciiMatcher> asciiMatcher_;  // for an ASCII needle
  qsizetype length_;
  bool wholeWord_;
};

// The user folder's "*.dia" or "*.alm" files, in name order.
QStringList CollectDayFiles(SearchKind kind);
// Those of files whose day key lies within the range.
QStringList FilesInRange(const QStringList& files, const SearchOptions& options);

bool ReminderFileMatches(const QString& path, const SearchOptions& options);

// The occurrences of recurring reminders that match, as day key -> times.
// Without a range end, occurrences up to a year after today are looked at:
// an endless rule has no last day.
using RecurringMatches = std::map<QString, std::set<QByteArray>>;
RecurringMatches MatchingOccurrences(const SearchOptions& options);
// A page under another password (or unreadable) matches only an empty term
// without the picture filter, as its text cannot be looked at. A match gives
// context the line of the page around the first hit (the first line of text
// for an empty term).
bool DiaryFileMatches(const QString& path, const SearchOptions& options, const QByteArray& password,
                      const DiaryTextReader& reader, QString* context = nullptr);

// The line of text (paragraphs end at '\n') that holds the hit at position at
// of length n, objects (U+FFFC) left out, cut to about maxChars around the
// hit with an ellipsis where it was cut. A hit at -1: the first line that
// has text.
QString HitContext(const QString& text, qsizetype at, qsizetype n, int maxChars = 48);

// The reminder search also finds the days of matching occurrences.
// progress(i, total) before each file, total being all collected files;
// returning false stops the search with what was found so far.
using SearchProgress = std::function<bool(int index, int total)>;
struct SearchResult {
  QStringList dayKeys;               // each matching day once, in name order
  QHash<QString, QString> contexts;  // diaries: day key -> HitContext of the first hit
  bool stopped = false;
};
SearchResult SearchDayFiles(SearchKind kind, const SearchOptions& options, const QByteArray& password,
                            const DiaryTextReader& reader, const SearchProgress& progress = {});

// "%d diary entries found." or "%d reminders found."
QString SearchStatusMessage(SearchKind kind, int found);

// A result entry: 0 "MM/DD/YYYY", 1 "DD/MM/YYYY", 2 "YYYY/MM/DD", else empty.
QString SearchResultEntry(const QString& dayKey, int dateFormat);
// The day key of an entry read back by the same format; nullopt when it is not one.
std::optional<QString> DayKeyOfSearchEntry(const QString& entry, int dateFormat);

}  // namespace orlane
