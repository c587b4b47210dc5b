#include "ical/ical_item.h"

#include "days/day_files.h"
#include "diary/page_text.h"
#include "ical/ical_zone.h"
#include "platform/clock.h"
#include "reminders/ical_handles.h"
#include "reminders/ical_time.h"
#include "reminders/recurring_event.h"
#include "reminders/reminder_value.h"

#include <QDateTime>

namespace orlane {

namespace {
icaltimetype NowStamp() {
  return icaltime_from_timet_with_zone(NowSeconds(), 0, icaltimezone_get_utc_timezone());
}

void AddStampIfNone(icalcomponent* c) {
  if (!icalcomponent_get_first_property(c, ICAL_DTSTAMP_PROPERTY))
    icalcomponent_add_property(c, icalproperty_new_dtstamp(NowStamp()));
}

// DTSTART and EXDATE as local times of the system's zone.
void ZoneTimes(icalcomponent* event) {
  for (icalproperty_kind kind : {ICAL_DTSTART_PROPERTY, ICAL_EXDATE_PROPERTY})
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind))
      SetSystemZone(p);
}

icalcomponent* ReminderEvent(const IcalItem& item) {
  const Reminder r = ParseReminderValue(item.value);
  icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
  icalcomponent_add_property(event, icalproperty_new_uid(item.uid.constData()));
  icalcomponent_add_property(event, icalproperty_new_dtstamp(NowStamp()));
  icalproperty* start = icalproperty_new_dtstart(FloatingTime(DayKeyDate(item.dayKey), item.timeKey));
  SetSystemZone(start);
  icalcomponent_add_property(event, start);
  const QByteArray summary = NoteFirstLine(r.note);
  icalcomponent_add_property(event, icalproperty_new_summary(summary.isEmpty() ? "Reminder" : summary.constData()));
  const QByteArray text = NoteToIcalText(r.note);
  icalcomponent_add_property(event, icalproperty_new_description(text.constData()));
  AddXProperty(event, kIcalMedia, r.media);
  AddXProperty(event, kIcalActive, r.active ? "1" : "0");
  AddXProperty(event, kIcalRepeat, r.repeat ? "1" : "0");
  AddOwnAlarm(event, text.isEmpty() ? QByteArray("Reminder") : text);
  return event;
}

icalcomponent* SeriesEvent(const IcalItem& item) {
  RecurringReminder series = item.series;
  series.uid = item.uid;
  icalcomponent* event = NewSeriesEvent(series);
  ZoneTimes(event);
  AddStampIfNone(event);
  if (icalproperty* summary = icalcomponent_get_first_property(event, ICAL_SUMMARY_PROPERTY);
      summary && QByteArray(icalproperty_get_summary(summary)).isEmpty())
    icalproperty_set_summary(summary, "Reminder");
  return event;
}

icalcomponent* PageJournal(const IcalItem& item) {
  icalcomponent* journal = icalcomponent_new(ICAL_VJOURNAL_COMPONENT);
  icalcomponent_add_property(journal, icalproperty_new_uid(item.uid.constData()));
  icalcomponent_add_property(journal, icalproperty_new_dtstamp(NowStamp()));
  const QDate d = DayKeyDate(item.dayKey);
  icaltimetype day = icaltime_null_date();
  day.year = d.year();
  day.month = d.month();
  day.day = d.day();
  icalcomponent_add_property(journal, icalproperty_new_dtstart(day));
  const QByteArray text = PagePlainText(item.rtf).toUtf8();
  const qsizetype lineEnd = text.indexOf('\n');
  icalcomponent_add_property(journal, icalproperty_new_summary((lineEnd < 0 ? text : text.left(lineEnd)).constData()));
  icalcomponent_add_property(journal, icalproperty_new_description(text.constData()));
  AddXProperty(journal, kIcalPageRtf, item.rtf.toBase64());
  return journal;
}

icalcomponent* ComponentOf(const IcalItem& item) {
  switch (item.kind) {
    case IcalItemKind::Reminder: return ReminderEvent(item);
    case IcalItemKind::Series: return SeriesEvent(item);
    case IcalItemKind::DiaryPage: return PageJournal(item);
  }
  return nullptr;
}
}  // namespace

QString PagePlainText(QByteArrayView rtf) {
  return ReadRtfPageText(rtf).text.remove(QChar::ObjectReplacementCharacter);
}

QByteArray ReminderUid(const QString& dayKey, const QByteArray& timeKey) {
  return "reminder-" + dayKey.toLatin1() + "-" + QByteArray(timeKey).replace(':', "") + "@orlane";
}

QByteArray DiaryPageUid(const QString& dayKey) {
  return "diary-" + dayKey.toLatin1() + "@orlane";
}

IcalItem MakeReminderItem(const QString& dayKey, const QByteArray& timeKey, const QByteArray& value,
                          const QByteArray& uid) {
  IcalItem item;
  item.kind = IcalItemKind::Reminder;
  item.dayKey = dayKey;
  item.timeKey = timeKey;
  item.value = value;
  item.uid = uid.isEmpty() ? ReminderUid(dayKey, timeKey) : uid;
  return item;
}

IcalItem MakeSeriesItem(const RecurringReminder& series) {
  IcalItem item;
  item.kind = IcalItemKind::Series;
  item.series = series;
  item.uid = series.uid;
  return item;
}

IcalItem MakeDiaryPageItem(const QString& dayKey, const QByteArray& rtf, const QByteArray& uid) {
  IcalItem item;
  item.kind = IcalItemKind::DiaryPage;
  item.dayKey = dayKey;
  item.rtf = rtf;
  item.uid = uid.isEmpty() ? DiaryPageUid(dayKey) : uid;
  return item;
}

QByteArray IcalCalendarText(const std::vector<IcalItem>& items) {
  icalerror_set_errors_are_fatal(0);
  const IcalComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kIcalProductId));
  bool timed = false;
  for (const IcalItem& item : items) timed = timed || item.kind != IcalItemKind::DiaryPage;
  if (timed)
    if (icalcomponent* zone = NewSystemZoneComponent()) icalcomponent_add_component(calendar.get(), zone);
  for (const IcalItem& item : items)
    if (icalcomponent* c = ComponentOf(item)) icalcomponent_add_component(calendar.get(), c);
  return OwnedIcalText(icalcomponent_as_ical_string_r(calendar.get()));
}

QByteArray IcalItemText(const IcalItem& item) {
  return IcalCalendarText({item});
}

}  // namespace orlane
