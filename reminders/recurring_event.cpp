#include "reminders/recurring_event.h"

#include "reminders/ical_handles.h"
#include "reminders/ical_time.h"
#include "reminders/reminder_value.h"

#include <QDate>

namespace orlane {

namespace {
QByteArray DateText(const QDate& d) {
  return d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

QDate DateOfText(QByteArrayView text) {
  return QDate::fromString(QString::fromLatin1(text.first(std::min<qsizetype>(8, text.size()))),
                           QStringLiteral("yyyyMMdd"));
}

bool IsFloatingDateTime(icalproperty* p) {
  if (icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) return false;
  const icaltimetype t = icalproperty_get_dtstart(p);
  return !icaltime_is_null_time(t) && !icaltime_is_date(t) && !icaltime_is_utc(t);
}

void ReadOwnProperty(icalproperty* p, RecurringReminder& r) {
  const QByteArray name = icalproperty_get_x_name(p);
  const QByteArray value = icalproperty_get_x(p);
  if (name == kIcalMedia) {
    r.media = value;
  } else if (name == kIcalActive) {
    r.active = value != "0";
  } else if (name == kIcalRepeat) {
    r.repeat = value == "1";
  } else if (name == kIcalFired) {
    for (const QByteArray& part : value.split(','))
      if (const QDate d = DateOfText(part); d.isValid()) r.fired.insert(d);
  } else if (name == kIcalFiredBefore) {
    r.firedBefore = DateOfText(value);
  } else {
    r.otherLines.push_back(OwnedIcalText(icalproperty_as_ical_string_r(p)));
  }
}
}  // namespace

QByteArray NoteToIcalText(QByteArray note) {
  return note.replace("\r\n", "\n");
}

QByteArray IcalTextToNote(QByteArray text) {
  return text.replace("\r\n", "\n").replace("\n", "\r\n");
}

QByteArray NoteFirstLine(const QByteArray& note) {
  const QByteArray text = NoteToIcalText(note);
  const qsizetype lineEnd = text.indexOf('\n');
  return lineEnd < 0 ? text : text.left(lineEnd);
}

bool IsSeriesEvent(icalcomponent* event) {
  icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  if (!start || !IsFloatingDateTime(start)) return false;
  if (icalcomponent_count_properties(event, ICAL_RRULE_PROPERTY) > 1) return false;
  if (icalcomponent_count_properties(event, ICAL_RDATE_PROPERTY) > 0) return false;
  return icalcomponent_count_properties(event, ICAL_DTSTART_PROPERTY) == 1;
}

bool IsOwnAlarm(icalcomponent* alarm) {
  icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
  icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (!action || !trigger || icalproperty_get_action(action) != ICAL_ACTION_DISPLAY) return false;
  const icaltriggertype t = icalproperty_get_trigger(trigger);
  return icaltime_is_null_time(t.time) && icaldurationtype_as_int(t.duration) == 0;
}

RecurringReminder ReadSeriesEvent(icalcomponent* event) {
  RecurringReminder r;
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
    switch (icalproperty_isa(p)) {
      case ICAL_UID_PROPERTY: r.uid = icalproperty_get_uid(p); break;
      case ICAL_DTSTAMP_PROPERTY: r.stamp = OwnedIcalText(icalproperty_get_value_as_string_r(p)); break;
      case ICAL_DTSTART_PROPERTY: {
        const icaltimetype t = icalproperty_get_dtstart(p);
        r.start = QDate(t.year, t.month, t.day);
        r.timeKey = MakeTimeKey(t.hour, t.minute, t.second);
        break;
      }
      case ICAL_RRULE_PROPERTY: r.rrule = OwnedIcalText(icalproperty_get_value_as_string_r(p)); break;
      case ICAL_EXDATE_PROPERTY: {
        const icaltimetype t = icalproperty_get_exdate(p);
        if (const QDate d(t.year, t.month, t.day); d.isValid()) r.skipped.insert(d);
        break;
      }
      case ICAL_SUMMARY_PROPERTY: break;  // the note's first line, written from the note
      case ICAL_DESCRIPTION_PROPERTY: r.note = IcalTextToNote(icalproperty_get_description(p)); break;
      case ICAL_X_PROPERTY: ReadOwnProperty(p, r); break;
      default: r.otherLines.push_back(OwnedIcalText(icalproperty_as_ical_string_r(p))); break;
    }
  }
  for (icalcomponent* c = icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(event, ICAL_ANY_COMPONENT))
    if (icalcomponent_isa(c) != ICAL_VALARM_COMPONENT || !IsOwnAlarm(c))
      r.otherBlocks.push_back(OwnedIcalText(icalcomponent_as_ical_string_r(c)));
  return r;
}

void AddXProperty(icalcomponent* into, const char* name, const QByteArray& value) {
  icalproperty* p = icalproperty_new_x(value.constData());
  icalproperty_set_x_name(p, name);
  icalcomponent_add_property(into, p);
}

void AddKeptIcalLine(icalcomponent* into, const QByteArray& line) {
  if (icalproperty* p = icalproperty_new_from_string(line.trimmed().constData())) icalcomponent_add_property(into, p);
}

void AddKeptIcalBlock(icalcomponent* into, const QByteArray& block) {
  if (icalcomponent* c = icalcomponent_new_from_string(block.constData())) icalcomponent_add_component(into, c);
}

void AddOwnAlarm(icalcomponent* event, const QByteArray& text) {
  icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_null_duration();
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_property(alarm, icalproperty_new_description(text.constData()));
  icalcomponent_add_component(event, alarm);
}

icalcomponent* NewSeriesEvent(const RecurringReminder& r) {
  icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
  icalcomponent_add_property(event, icalproperty_new_uid(r.uid.constData()));
  if (!r.stamp.isEmpty()) icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_string(r.stamp)));
  icalcomponent_add_property(event, icalproperty_new_dtstart(FloatingTime(r.start, r.timeKey)));
  if (!r.rrule.isEmpty())
    icalcomponent_add_property(event, icalproperty_new_rrule(icalrecurrencetype_from_string(r.rrule.constData())));
  for (const QDate& d : r.skipped)
    icalcomponent_add_property(event, icalproperty_new_exdate(FloatingTime(d, r.timeKey)));
  const QByteArray text = NoteToIcalText(r.note);
  icalcomponent_add_property(event, icalproperty_new_summary(NoteFirstLine(r.note).constData()));
  icalcomponent_add_property(event, icalproperty_new_description(text.constData()));
  AddXProperty(event, kIcalMedia, r.media);
  AddXProperty(event, kIcalActive, r.active ? "1" : "0");
  AddXProperty(event, kIcalRepeat, r.repeat ? "1" : "0");
  if (!r.fired.empty()) {
    QByteArrayList dates;
    for (const QDate& d : r.fired) dates << DateText(d);
    AddXProperty(event, kIcalFired, dates.join(','));
  }
  if (r.firedBefore.isValid()) AddXProperty(event, kIcalFiredBefore, DateText(r.firedBefore));
  for (const QByteArray& line : r.otherLines) AddKeptIcalLine(event, line);
  AddOwnAlarm(event, text);
  for (const QByteArray& block : r.otherBlocks) AddKeptIcalBlock(event, block);
  return event;
}

}  // namespace orlane
