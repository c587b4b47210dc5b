// Any bytes as an unscrambled reminder day: parse, then a complete parse must
// serialise and parse back to the same map. The pairs read in place, kept to
// the end, must make the same map, and the search must find in each note
// what it finds in the note's decoded string.
#include "reminders/day_search.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_value.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
void CheckReader(const QByteArray& bytes, orlane::ReminderLoadResult parsed, const orlane::ReminderMap& map) {
  orlane::ReminderDayReader day(bytes);
  std::vector<std::pair<QByteArrayView, QByteArrayView>> pairs;
  for (QByteArrayView key, value; day.next(key, value);) pairs.emplace_back(key, value);
  orlane::ReminderMap folded;
  for (const auto& [key, value] : pairs) folded.insert_or_assign(key.toByteArray(), value.toByteArray());
  if (day.result() != parsed || folded != map) std::abort();
}

void CheckFinders(const orlane::ReminderMap& map) {
  static const std::vector<orlane::TextFinder> finders = [] {
    std::vector<orlane::TextFinder> all;
    for (const char16_t* needle : {u"s", u"K", u"ab", u"i\u0307"})
      for (const bool matchCase : {false, true})
        for (const bool wholeWord : {false, true}) all.emplace_back(QString::fromUtf16(needle), matchCase, wholeWord);
    return all;
  }();
  for (const auto& entry : map) {
    const std::optional<orlane::ReminderValueParts> parts = orlane::SplitReminderValue(entry.second);
    if (!parts) continue;
    const QString note = QString::fromUtf8(parts->note);
    for (const orlane::TextFinder& finder : finders) {
      const qsizetype at = finder.findUtf8(parts->note);
      if (at != finder.find(note) || (at >= 0 && !finder.mayFindUtf8In(entry.second))) std::abort();
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::ReminderMap map;
  const orlane::ReminderLoadResult r = orlane::ParseReminderDay(bytes, map);
  CheckReader(bytes, r, map);
  CheckFinders(map);
  for (const auto& [key, value] : map) {
    orlane::TimeKeySeconds(key);
    const orlane::Reminder reminder = orlane::ParseReminderValue(value);
    orlane::MediaKindOf(reminder.media);
  }
  if (r == orlane::ReminderLoadResult::Ok) {
    orlane::ReminderMap again;
    if (orlane::ParseReminderDay(orlane::SerializeReminderDay(map), again) != orlane::ReminderLoadResult::Ok ||
        again != map)
      std::abort();
  }
  return 0;
}
