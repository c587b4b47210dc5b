#include "diary/spell_words.h"

#include <QString>

namespace orlane {

namespace {
bool IsWordLetter(QChar c) {
  return c.isLetter() || c.isMark();
}

bool IsApostrophe(QChar c) {
  return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Spaces end a chunk: an address is one chunk, whatever punctuation it holds.
bool IsAddress(QStringView chunk) {
  return chunk.contains(QLatin1String("://")) || chunk.contains(QLatin1Char('@')) ||
         chunk.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

void WordsOfChunk(QStringView text, int from, int to, std::vector<WordSpan>& words) {
  int i = from;
  while (i < to) {
    if (!IsWordLetter(text[i])) {
      ++i;
      continue;
    }
    const int start = i;
    while (i < to &&
           (IsWordLetter(text[i]) || (IsApostrophe(text[i]) && i + 1 < to && IsWordLetter(text[i + 1]) && i > start)))
      ++i;
    const bool touchesDigit = (start > from && text[start - 1].isDigit()) || (i < to && text[i].isDigit());
    if (!touchesDigit && i - start > 1) words.push_back({start, i - start});
    // A run glued to digits ("3rd", "mp3") goes whole, with the digits.
    while (touchesDigit && i < to && (text[i].isLetterOrNumber() || text[i].isMark())) ++i;
  }
}
}  // namespace

std::vector<WordSpan> SpellWords(QStringView text) {
  std::vector<WordSpan> words;
  const int size = static_cast<int>(text.size());
  int i = 0;
  while (i < size) {
    if (text[i].isSpace()) {
      ++i;
      continue;
    }
    const int start = i;
    while (i < size && !text[i].isSpace()) ++i;
    if (!IsAddress(text.mid(start, i - start))) WordsOfChunk(text, start, i, words);
  }
  return words;
}

}  // namespace orlane
