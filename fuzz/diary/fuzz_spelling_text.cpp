// Any bytes as a personal word list, as a paragraph to check and as a day
// key: the list's reader and appender, the word splitter and the day key
// reader must finish without a fault, every word span must lie inside its
// paragraph, and a day key read must make the same key again.
#include "days/day_files.h"
#include "diary/personal_words.h"
#include "diary/spell_words.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  static_cast<void>(orlane::ParsePersonalWords(bytes));
  const QByteArray appended = orlane::WithPersonalWord(bytes, QStringLiteral("Orlane"));
  if (!orlane::ParsePersonalWords(appended).contains(QStringLiteral("Orlane"))) std::abort();
  const QString text = QString::fromUtf8(bytes);
  for (const orlane::WordSpan& span : orlane::SpellWords(text))
    if (span.start < 0 || span.length < 2 || span.start + span.length > text.size()) std::abort();
  if (const std::optional<orlane::CalendarDate> d = orlane::ParseDayKey(text))
    if (orlane::MakeDayKey(d->year, d->month, d->day) != text) std::abort();
  return 0;
}
