// Reading iCalendar text into items: see ical_item.h for the rules.
#include "days/day_files.h"
#include "diary/rtf_writer.h"
#include "ical/ical_item.h"
#include "ical/ical_zone.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/ical_handles.h"
#include "reminders/ical_time.h"
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_event.h"
#include "reminders/reminder_value.h"

#include <QTextDocument>

#include <map>

namespace orlane {

namespace {
// A text larger than this is refused as a whole (no calendar of reminders is that big).
constexpr qsizetype kMaxText = qsizetype(256) << 20;

QString KeyOf(const QDate& d) {
  return MakeDayKey(d.year(), d.month(), d.day());
}

QByteArray TextOf(icalcomponent* c, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  const char* text = p ? icalproperty_get_value_as_string(p) : nullptr;
  if (!text) return {};
  // get_value_as_string escapes; the typed getters do not.
  if (kind == ICAL_SUMMARY_PROPERTY) return icalproperty_get_summary(p);
  if (kind == ICAL_DESCRIPTION_PROPERTY) return icalproperty_get_description(p);
  return text;
}

icalproperty* XProperty(icalcomponent* c, const char* name) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY))
    if (qstrcmp(icalproperty_get_x_name(p), name) == 0) return p;
  return nullptr;
}

// SUMMARY, then DESCRIPTION on the next lines when it says more than the summary.
QByteArray ForeignNote(icalcomponent* c) {
  const QByteArray summary = TextOf(c, ICAL_SUMMARY_PROPERTY);
  const QByteArray description = TextOf(c, ICAL_DESCRIPTION_PROPERTY);
  QByteArray text = summary;
  if (!description.isEmpty() && description != summary) {
    if (description.startsWith(summary + '\n') || summary.isEmpty())
      text = description;
    else
      text = summary + '\n' + description;
  }
  return IcalTextToNote(text);
}

LocalMoment MomentOf(icalcomponent* root, icalproperty* p, icaltimetype t) {
  return ToLocalMoment(t, icaltime_is_utc(t) ? nullptr : ZoneOfProperty(root, p));
}

struct Fire {
  LocalMoment at;
  bool valid = false;
  bool audio = false;
};

// When the component's reminder fires: its first VALARM, else its base time.
Fire FireOf(icalcomponent* root, icalcomponent* c, icalproperty* baseProp, icaltimetype base) {
  Fire fire;
  if (!baseProp || icaltime_is_null_time(base)) return fire;
  fire.at = MomentOf(root, baseProp, base);
  fire.valid = fire.at.date.isValid();
  icalcomponent* alarm = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT);
  if (!alarm) return fire;
  if (icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY))
    fire.audio = icalproperty_get_action(action) == ICAL_ACTION_AUDIO;
  if (fire.at.dateOnly) return fire;  // all-day: 09:00:00 of the day
  icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (!trigger) return fire;
  const icaltriggertype t = icalproperty_get_trigger(trigger);
  LocalMoment at;
  if (!icaltime_is_null_time(t.time)) {
    at = MomentOf(root, trigger, t.time);
  } else {
    icaltimetype from = base;
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END) {
      if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT) from = icalcomponent_get_dtend(c);
      if (icaltime_is_null_time(from)) from = base;
    }
    at = ToLocalMoment(icaltime_add(from, t.duration), from.zone);
  }
  if (at.date.isValid()) fire.at = at;
  return fire;
}

QByteArray ReminderValueOf(icalcomponent* c, bool own, bool audio) {
  Reminder r;
  if (own) {
    r.note = IcalTextToNote(TextOf(c, ICAL_DESCRIPTION_PROPERTY));
    if (icalproperty* p = XProperty(c, kIcalMedia)) r.media = icalproperty_get_x(p);
    if (icalproperty* p = XProperty(c, kIcalActive)) r.active = qstrcmp(icalproperty_get_x(p), "0") != 0;
    if (icalproperty* p = XProperty(c, kIcalRepeat)) r.repeat = qstrcmp(icalproperty_get_x(p), "1") == 0;
  } else {
    r.note = ForeignNote(c);
    r.active = true;
    if (audio) r.media = kBeepOnly;
  }
  return BuildReminderValue(r);
}

// The date-time properties of a series as floating local times, as the recurring file holds them.
void MakeFloating(icalcomponent* root, icalcomponent* event, const LocalMoment& start) {
  icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  icalproperty_remove_parameter_by_kind(dtstart, ICAL_TZID_PARAMETER);
  icalproperty_remove_parameter_by_kind(dtstart, ICAL_VALUE_PARAMETER);
  icalproperty_set_dtstart(dtstart, FloatingTime(start.date, start.timeKey));
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
    const LocalMoment skip = MomentOf(root, p, icalproperty_get_exdate(p));
    icalproperty_remove_parameter_by_kind(p, ICAL_TZID_PARAMETER);
    icalproperty_remove_parameter_by_kind(p, ICAL_VALUE_PARAMETER);
    icalproperty_set_exdate(p, FloatingTime(skip.date, start.timeKey));
  }
}

QDate Today() {
  const LocalDate d = LocalDateOf(NowSeconds());
  return {d.year, d.month, d.day};
}

class Reader {
 public:
  explicit Reader(IcalReadResult& result) : result_(result) {}

  void read(icalcomponent* root) {
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_ANY_COMPONENT)) {
      switch (icalcomponent_isa(c)) {
        case ICAL_VTIMEZONE_COMPONENT: break;
        case ICAL_VEVENT_COMPONENT:
        case ICAL_VTODO_COMPONENT: readTimed(root, c); break;
        case ICAL_VJOURNAL_COMPONENT: readJournal(root, c); break;
        default: skip(c, QStringLiteral("this kind of entry is not kept by Orlane 2")); break;
      }
    }
  }

  void finish() {
    for (IcalItem& item : result_.items)
      if (item.kind == IcalItemKind::Series)
        for (const auto& [uid, date] : changed_)
          if (uid == item.uid) item.series.skipped.insert(date);
  }

 private:
  void skip(icalcomponent* c, const QString& reason) {
    IcalSkipped s;
    const char* name = icalcomponent_kind_to_string(icalcomponent_isa(c));
    s.component = name ? name : "?";
    if (const char* uid = icalcomponent_get_uid(c)) s.uid = uid;
    s.reason = reason;
    result_.skipped.push_back(std::move(s));
  }

  void readTimed(icalcomponent* root, icalcomponent* c) {
    const bool todo = icalcomponent_isa(c) == ICAL_VTODO_COMPONENT;
    icalproperty* baseProp = nullptr;
    icaltimetype base = icaltime_null_time();
    if (todo && (baseProp = icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY))) base = icalcomponent_get_due(c);
    if (!baseProp && (baseProp = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY)))
      base = icalcomponent_get_dtstart(c);
    const Fire fire = FireOf(root, c, baseProp, base);
    if (!fire.valid)
      return skip(c, todo ? QStringLiteral("a to-do without a due time") : QStringLiteral("an event without a date"));
    const bool own = XProperty(c, kIcalActive) != nullptr;
    const QByteArray uid = icalcomponent_get_uid(c) ? QByteArray(icalcomponent_get_uid(c)) : QByteArray();
    if (icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY) && !todo) return readSeries(root, c, fire, own);
    if (icalproperty* rid = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
      changed_.emplace_back(uid, MomentOf(root, rid, icalproperty_get_recurrenceid(rid)).date);
    IcalItem item = MakeReminderItem(KeyOf(fire.at.date), fire.at.timeKey, ReminderValueOf(c, own, fire.audio), uid);
    item.foreign = !own;
    result_.items.push_back(std::move(item));
  }

  void readSeries(icalcomponent* root, icalcomponent* c, const Fire& fire, bool own) {
    icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    LocalMoment start = MomentOf(root, dtstart, icalcomponent_get_dtstart(c));
    // An alarm before or after the start moves every occurrence, as long as it stays on the day.
    if (fire.at.date == start.date) start.timeKey = fire.at.timeKey;
    const IcalComponent event(icalcomponent_new_clone(c));
    MakeFloating(root, event.get(), start);
    if (!IsSeriesEvent(event.get()))
      return skip(c, QStringLiteral("a repeating event of a kind Orlane 2 cannot repeat"));
    RecurringReminder series = ReadSeriesEvent(event.get());
    if (!IsExpandable(series)) return skip(c, QStringLiteral("it repeats more often than once a day"));
    if (!own) {
      series.note = ForeignNote(c);
      if (fire.audio) series.media = kBeepOnly;
      if (series.start < Today() && !series.firedBefore.isValid()) series.firedBefore = Today();
    }
    if (series.uid.isEmpty()) series.uid = NewRecurringUid();
    IcalItem item = MakeSeriesItem(series);
    item.foreign = !own;
    result_.items.push_back(std::move(item));
  }

  void readJournal(icalcomponent* root, icalcomponent* c) {
    icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    if (!dtstart) return skip(c, QStringLiteral("a journal entry without a date"));
    const LocalMoment day = MomentOf(root, dtstart, icalcomponent_get_dtstart(c));
    if (!day.date.isValid()) return skip(c, QStringLiteral("a journal entry without a date"));
    const QByteArray uid = icalcomponent_get_uid(c) ? QByteArray(icalcomponent_get_uid(c)) : QByteArray();
    const QString description = QString::fromUtf8(TextOf(c, ICAL_DESCRIPTION_PROPERTY));
    QByteArray rtf;
    if (icalproperty* p = XProperty(c, kIcalPageRtf)) {
      rtf = QByteArray::fromBase64(icalproperty_get_x(p));
      // The text was edited elsewhere: that text is the page now.
      if (PagePlainText(rtf) != description) rtf.clear();
    }
    const bool own = !rtf.isEmpty();
    if (!own) {
      const QString text = QString::fromUtf8(IcalTextToNote(ForeignNote(c))).replace(QStringLiteral("\r\n"), "\n");
      if (text.isEmpty()) return skip(c, QStringLiteral("an empty journal entry"));
      QTextDocument document;
      document.setPlainText(text);
      rtf = RtfWriter().write(document);
    }
    IcalItem item = MakeDiaryPageItem(KeyOf(day.date), rtf, uid);
    item.foreign = !own;
    result_.items.push_back(std::move(item));
  }

  IcalReadResult& result_;
  std::vector<std::pair<QByteArray, QDate>> changed_;
};
}  // namespace

IcalReadResult ReadIcalItems(QByteArrayView text) {
  IcalReadResult result;
  if (text.size() > kMaxText) return result;
  icalerror_set_errors_are_fatal(0);
  // libical reads up to a NUL; several calendars may follow one another.
  const QByteArray plain(text.data(), text.size());
  const QByteArray upTo(plain.constData());
  const IcalComponent parsed(icalparser_parse_string(upTo.constData()));
  if (!parsed) return result;
  Reader reader(result);
  if (icalcomponent_isa(parsed.get()) == ICAL_VCALENDAR_COMPONENT) {
    result.isCalendar = true;
    reader.read(parsed.get());
  } else if (icalcomponent_isa(parsed.get()) == ICAL_XROOT_COMPONENT) {
    for (icalcomponent* c = icalcomponent_get_first_component(parsed.get(), ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(parsed.get(), ICAL_VCALENDAR_COMPONENT)) {
      result.isCalendar = true;
      reader.read(c);
    }
  }
  reader.finish();
  return result;
}

}  // namespace orlane
