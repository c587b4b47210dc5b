#include "reminders/recurring_reminder.h"

#include "platform/clock.h"
#include "reminders/ical_handles.h"
#include "reminders/reminder_value.h"

#include <QDateTime>
#include <QUuid>

#include <libical/ical.h>

#include <array>

namespace orlane {

namespace {
constexpr std::array<icalrecurrencetype_weekday, 7> kWeekdays = {
    ICAL_MONDAY_WEEKDAY, ICAL_TUESDAY_WEEKDAY,  ICAL_WEDNESDAY_WEEKDAY, ICAL_THURSDAY_WEEKDAY,
    ICAL_FRIDAY_WEEKDAY, ICAL_SATURDAY_WEEKDAY, ICAL_SUNDAY_WEEKDAY};

icalrecurrencetype_frequency FrequencyOf(RecurKind kind) {
  switch (kind) {
    case RecurKind::Daily: return ICAL_DAILY_RECURRENCE;
    case RecurKind::Weekdays:
    case RecurKind::Weekly: return ICAL_WEEKLY_RECURRENCE;
    case RecurKind::Monthly: return ICAL_MONTHLY_RECURRENCE;
    case RecurKind::Yearly: return ICAL_YEARLY_RECURRENCE;
    case RecurKind::Once: break;
  }
  return ICAL_NO_RECURRENCE;
}

// The weekdays of a BYDAY list without positions; nullopt when one has a position.
std::optional<WeekdayMask> PlainWeekdays(const icalrecurrencetype& r) {
  WeekdayMask mask = 0;
  for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    if (icalrecurrencetype_day_position(r.by_day[i]) != 0) return std::nullopt;
    const icalrecurrencetype_weekday day = icalrecurrencetype_day_day_of_week(r.by_day[i]);
    for (int d = 0; d < 7; ++d)
      if (kWeekdays[d] == day) mask |= 1u << d;
  }
  return mask;
}

bool HasOnlyByDay(const icalrecurrencetype& r) {
  const auto empty = [](const short* list) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; };
  return empty(r.by_second) && empty(r.by_minute) && empty(r.by_hour) && empty(r.by_month_day) &&
         empty(r.by_year_day) && empty(r.by_week_no) && empty(r.by_month) && empty(r.by_set_pos);
}
}  // namespace

QByteArray BuildRRule(const RecurRule& rule) {
  if (rule.kind == RecurKind::Once) return {};
  icalrecurrencetype r;
  icalrecurrencetype_clear(&r);
  r.freq = FrequencyOf(rule.kind);
  r.interval = static_cast<short>(std::clamp(rule.interval, 1, 999));
  const WeekdayMask days = rule.kind == RecurKind::Weekdays ? kMondayToFriday
                           : rule.kind == RecurKind::Weekly ? rule.weekdays
                                                            : 0;
  int n = 0;
  for (int d = 0; d < 7; ++d)
    if (days & (1u << d)) r.by_day[n++] = static_cast<short>(kWeekdays[d]);
  if (rule.count > 0) {
    r.count = rule.count;
  } else if (rule.until) {
    // Floating like the start, at the end of the day, so the day itself is in.
    r.until = icaltime_null_time();
    r.until.year = rule.until->year();
    r.until.month = rule.until->month();
    r.until.day = rule.until->day();
    r.until.hour = 23;
    r.until.minute = 59;
    r.until.second = 59;
  }
  return OwnedIcalText(icalrecurrencetype_as_string_r(&r));
}

std::optional<RecurRule> ReadRecurRule(const QByteArray& rrule) {
  icalerror_clear_errno();
  const icalrecurrencetype r = icalrecurrencetype_from_string(rrule.constData());
  if (r.freq == ICAL_NO_RECURRENCE || !HasOnlyByDay(r) || r.week_start != ICAL_MONDAY_WEEKDAY) return std::nullopt;
  const std::optional<WeekdayMask> days = PlainWeekdays(r);
  if (!days) return std::nullopt;
  RecurRule rule;
  rule.interval = r.interval;
  rule.count = r.count;
  if (!icaltime_is_null_time(r.until)) rule.until = QDate(r.until.year, r.until.month, r.until.day);
  switch (r.freq) {
    case ICAL_DAILY_RECURRENCE: rule.kind = RecurKind::Daily; break;
    case ICAL_WEEKLY_RECURRENCE:
      rule.kind = *days == kMondayToFriday && r.interval == 1 ? RecurKind::Weekdays : RecurKind::Weekly;
      if (rule.kind == RecurKind::Weekly) rule.weekdays = *days;
      break;
    case ICAL_MONTHLY_RECURRENCE: rule.kind = RecurKind::Monthly; break;
    case ICAL_YEARLY_RECURRENCE: rule.kind = RecurKind::Yearly; break;
    default: return std::nullopt;
  }
  if (rule.kind != RecurKind::Weekly && rule.kind != RecurKind::Weekdays && *days != 0) return std::nullopt;
  return rule;
}

bool RecurringReminder::hasFired(const QDate& date) const {
  return (firedBefore.isValid() && date < firedBefore) || fired.count(date) > 0;
}

QByteArray RecurringReminder::occurrenceValue(const QDate& date) const {
  return BuildReminderValue(Reminder{media, active && !hasFired(date), repeat, note});
}

void RecurringReminder::markFired(const QDate& date, const QDate& oldest) {
  fired.insert(date);
  while (!fired.empty() && *fired.begin() < oldest) {
    firedBefore = std::max(firedBefore.isValid() ? firedBefore : QDate(), fired.begin()->addDays(1));
    fired.erase(fired.begin());
  }
}

RecurringReminder NewSeries(const QDate& start, const QByteArray& timeKey, const QByteArray& rrule,
                            const Reminder& reminder, const QDate& today) {
  RecurringReminder r;
  r.uid = NewRecurringUid();
  r.start = start;
  r.timeKey = timeKey;
  r.rrule = rrule;
  r.note = reminder.note;
  r.media = reminder.media;
  r.active = reminder.active;
  r.repeat = reminder.repeat;
  if (start < today) r.firedBefore = today;
  r.stamp =
      QDateTime::fromSecsSinceEpoch(NowSeconds(), Qt::UTC).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
  return r;
}

QByteArray NewRecurringUid() {
  return QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + "@orlane";
}

}  // namespace orlane
