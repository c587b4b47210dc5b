#include "ical/ical_zone.h"

#include "reminders/reminder_value.h"

#include <QDateTime>
#include <QTimeZone>

#include <vector>

namespace orlane {

namespace {
constexpr int kOldestRuleYear = 1970;

// An observance (STANDARD, DAYLIGHT) whose last change came before kOldestRuleYear.
bool EndedLongAgo(icalcomponent* observance) {
  const icaltimetype start = icalcomponent_get_dtstart(observance);
  if (start.year >= kOldestRuleYear) return false;
  icalproperty* rule = icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY);
  if (!rule) return true;
  const icalrecurrencetype r = icalproperty_get_rrule(rule);
  return !icaltime_is_null_time(r.until) && r.until.year < kOldestRuleYear;
}
}  // namespace

icaltimezone* SystemIcalZone() {
  const QByteArray id = QTimeZone::systemTimeZoneId();
  if (id.isEmpty()) return nullptr;
  return icaltimezone_get_builtin_timezone(id.constData());
}

QByteArray SystemZoneId() {
  icaltimezone* zone = SystemIcalZone();
  return zone ? QByteArray(icaltimezone_get_location(zone)) : QByteArray();
}

icalcomponent* NewSystemZoneComponent() {
  icaltimezone* zone = SystemIcalZone();
  icalcomponent* own = zone ? icaltimezone_get_component(zone) : nullptr;
  if (!own) return nullptr;
  icalcomponent* copy = icalcomponent_new_clone(own);
  if (icalproperty* tzid = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
    icalproperty_set_tzid(tzid, SystemZoneId().constData());
  std::vector<icalcomponent*> old;
  for (icalcomponent* c = icalcomponent_get_first_component(copy, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(copy, ICAL_ANY_COMPONENT))
    if (EndedLongAgo(c)) old.push_back(c);
  // The zone needs at least one observance; the newest of the old ones stays when all are old.
  const qsizetype total = icalcomponent_count_components(copy, ICAL_ANY_COMPONENT);
  if (!old.empty() && qsizetype(old.size()) == total) old.pop_back();
  for (icalcomponent* c : old) {
    icalcomponent_remove_component(copy, c);
    icalcomponent_free(c);
  }
  return copy;
}

void SetSystemZone(icalproperty* property) {
  const QByteArray id = SystemZoneId();
  if (id.isEmpty()) return;
  icalproperty_remove_parameter_by_kind(property, ICAL_TZID_PARAMETER);
  icalproperty_add_parameter(property, icalparameter_new_tzid(id.constData()));
}

LocalMoment ToLocalMoment(icaltimetype t, const icaltimezone* zone) {
  LocalMoment m;
  if (icaltime_is_date(t)) {
    m.date = QDate(t.year, t.month, t.day);
    m.timeKey = "09:00:00";
    m.dateOnly = true;
    return m;
  }
  if (!zone) zone = t.zone;
  if (zone || icaltime_is_utc(t)) {
    const icaltimezone* from = icaltime_is_utc(t) ? icaltimezone_get_utc_timezone() : zone;
    const time_t seconds = icaltime_as_timet_with_zone(t, from);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds);
    m.date = local.date();
    m.timeKey = MakeTimeKey(local.time().hour(), local.time().minute(), local.time().second());
    return m;
  }
  m.date = QDate(t.year, t.month, t.day);
  m.timeKey = MakeTimeKey(t.hour, t.minute, t.second);
  return m;
}

icaltimezone* ZoneOfProperty(icalcomponent* root, icalproperty* property) {
  icalparameter* param = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
  if (!param) return nullptr;
  const char* tzid = icalparameter_get_tzid(param);
  if (!tzid || !*tzid) return nullptr;
  if (root)
    if (icaltimezone* own = icalcomponent_get_timezone(root, tzid)) return own;
  if (icaltimezone* builtin = icaltimezone_get_builtin_timezone(tzid)) return builtin;
  return icaltimezone_get_builtin_timezone_from_tzid(tzid);
}

}  // namespace orlane
