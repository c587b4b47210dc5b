#include "reminders/recurrence_expand.h"

#include "reminders/ical_time.h"
#include "reminders/reminder_value.h"

#include <libical/ical.h>

#include <memory>

namespace orlane {

icaltimetype FloatingTime(const QDate& date, const QByteArray& timeKey) {
  icaltimetype t = icaltime_null_time();
  const TimeOfDay tod = TimeKeyNumbers(timeKey);
  t.year = date.year();
  t.month = date.month();
  t.day = date.day();
  t.hour = tod.hour;
  t.minute = tod.minute;
  t.second = tod.second;
  return t;
}

namespace {
// A hostile rule (BYSECOND lists on a daily rule, a count of millions) must
// not hold the program: no expansion looks at more instances than this.
constexpr int kMaxInstances = 200000;

struct FreeIterator {
  void operator()(icalrecur_iterator* it) const { icalrecur_iterator_free(it); }
};

QDate DateOf(const icaltimetype& t) {
  return QDate(t.year, t.month, t.day);
}

icalrecurrencetype RuleOf(const RecurringReminder& series) {
  icalerror_clear_errno();
  return icalrecurrencetype_from_string(series.rrule.constData());
}
}  // namespace

bool IsExpandable(const RecurringReminder& series) {
  if (!series.start.isValid() || !IsWellFormedTimeKey(series.timeKey)) return false;
  if (series.rrule.isEmpty()) return true;
  const icalrecurrencetype r = RuleOf(series);
  return r.freq == ICAL_DAILY_RECURRENCE || r.freq == ICAL_WEEKLY_RECURRENCE || r.freq == ICAL_MONTHLY_RECURRENCE ||
         r.freq == ICAL_YEARLY_RECURRENCE;
}

std::vector<Occurrence> OccurrencesIn(const RecurringReminder& series, const QDate& from, const QDate& to) {
  std::vector<Occurrence> out;
  if (!IsExpandable(series) || !from.isValid() || !to.isValid() || to < from) return out;
  const auto take = [&](const QDate& date, const QByteArray& timeKey) {
    if (date >= from && date <= to && !series.skipped.count(date)) out.push_back({date, timeKey});
  };
  if (series.rrule.isEmpty()) {
    take(series.start, series.timeKey);
    return out;
  }
  const icalrecurrencetype rule = RuleOf(series);
  const icaltimetype start = FloatingTime(series.start, series.timeKey);
  const std::unique_ptr<icalrecur_iterator, FreeIterator> it(icalrecur_iterator_new(rule, start));
  if (!it) return out;
  // Without a count the iterator may begin at the range; with one it must
  // count every instance from the first.
  if (rule.count == 0 && from > series.start) icalrecur_iterator_set_start(it.get(), FloatingTime(from, "00:00:00"));
  for (int n = 0; n < kMaxInstances; ++n) {
    const icaltimetype t = icalrecur_iterator_next(it.get());
    if (icaltime_is_null_time(t)) break;
    const QDate date = DateOf(t);
    if (!date.isValid() || date > to) break;
    take(date, MakeTimeKey(t.hour, t.minute, t.second));
  }
  return out;
}

std::vector<Occurrence> OccurrencesOn(const RecurringReminder& series, const QDate& day) {
  return OccurrencesIn(series, day, day);
}

}  // namespace orlane
