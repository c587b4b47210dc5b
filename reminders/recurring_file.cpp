#include "reminders/recurring_file.h"

#include "platform/app_paths.h"
#include "reminders/ical_time.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"

#include <QDir>

#include <libical/ical.h>

#include <memory>

namespace orlane {

namespace {
constexpr qint64 kRecurringReadLimit = qint64(16) << 20;
constexpr char kMedia[] = "X-ORLANE-MEDIA";
constexpr char kActive[] = "X-ORLANE-ACTIVE";
constexpr char kRepeat[] = "X-ORLANE-REPEAT";
constexpr char kFired[] = "X-ORLANE-FIRED";
constexpr char kFiredBefore[] = "X-ORLANE-FIRED-BEFORE";
constexpr char kProductId[] = "-//Orlane//Orlane 2//EN";

struct FreeComponent {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;
struct FreeChars {
  void operator()(char* p) const { icalmemory_free_buffer(p); }
};

QByteArray Owned(char* text) {
  const std::unique_ptr<char, FreeChars> owned(text);
  return owned ? QByteArray(owned.get()) : QByteArray();
}

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

// "\r\n" in notes, "\n" in the text values of the document.
QByteArray NoteToText(QByteArray note) {
  return note.replace("\r\n", "\n");
}
QByteArray TextToNote(QByteArray text) {
  return text.replace("\r\n", "\n").replace("\n", "\r\n");
}

// Whether the event is one this program reads as a series; others are kept as they are.
bool IsOwnSeries(icalcomponent* event) {
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

void ReadOwnProperty(icalproperty* p, RecurringReminder& r) {
  const QByteArray name = icalproperty_get_x_name(p);
  const QByteArray value = icalproperty_get_x(p);
  if (name == kMedia) {
    r.media = value;
  } else if (name == kActive) {
    r.active = value != "0";
  } else if (name == kRepeat) {
    r.repeat = value == "1";
  } else if (name == kFired) {
    for (const QByteArray& part : value.split(','))
      if (const QDate d = DateOfText(part); d.isValid()) r.fired.insert(d);
  } else if (name == kFiredBefore) {
    r.firedBefore = DateOfText(value);
  } else {
    r.otherLines.push_back(Owned(icalproperty_as_ical_string_r(p)));
  }
}

RecurringReminder ReadSeries(icalcomponent* event) {
  RecurringReminder r;
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
    switch (icalproperty_isa(p)) {
      case ICAL_UID_PROPERTY: r.uid = icalproperty_get_uid(p); break;
      case ICAL_DTSTAMP_PROPERTY: r.stamp = Owned(icalproperty_get_value_as_string_r(p)); break;
      case ICAL_DTSTART_PROPERTY: {
        const icaltimetype t = icalproperty_get_dtstart(p);
        r.start = QDate(t.year, t.month, t.day);
        r.timeKey = MakeTimeKey(t.hour, t.minute, t.second);
        break;
      }
      case ICAL_RRULE_PROPERTY: r.rrule = Owned(icalproperty_get_value_as_string_r(p)); break;
      case ICAL_EXDATE_PROPERTY: {
        const icaltimetype t = icalproperty_get_exdate(p);
        if (const QDate d(t.year, t.month, t.day); d.isValid()) r.skipped.insert(d);
        break;
      }
      case ICAL_SUMMARY_PROPERTY: break;  // the note's first line, written from the note
      case ICAL_DESCRIPTION_PROPERTY: r.note = TextToNote(icalproperty_get_description(p)); break;
      case ICAL_X_PROPERTY: ReadOwnProperty(p, r); break;
      default: r.otherLines.push_back(Owned(icalproperty_as_ical_string_r(p))); break;
    }
  }
  for (icalcomponent* c = icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(event, ICAL_ANY_COMPONENT))
    if (icalcomponent_isa(c) != ICAL_VALARM_COMPONENT || !IsOwnAlarm(c))
      r.otherBlocks.push_back(Owned(icalcomponent_as_ical_string_r(c)));
  return r;
}

void AddX(icalcomponent* event, const char* name, const QByteArray& value) {
  icalproperty* p = icalproperty_new_x(value.constData());
  icalproperty_set_x_name(p, name);
  icalcomponent_add_property(event, p);
}

// A property or component kept as text goes back in as libical reads it; one
// that no longer reads is dropped rather than written broken.
void AddKeptLine(icalcomponent* into, const QByteArray& line) {
  if (icalproperty* p = icalproperty_new_from_string(line.trimmed().constData())) icalcomponent_add_property(into, p);
}
void AddKeptBlock(icalcomponent* into, const QByteArray& block) {
  if (icalcomponent* c = icalcomponent_new_from_string(block.constData())) icalcomponent_add_component(into, c);
}

icalcomponent* WriteSeries(const RecurringReminder& r) {
  icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
  icalcomponent_add_property(event, icalproperty_new_uid(r.uid.constData()));
  if (!r.stamp.isEmpty()) icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_string(r.stamp)));
  icalcomponent_add_property(event, icalproperty_new_dtstart(FloatingTime(r.start, r.timeKey)));
  if (!r.rrule.isEmpty())
    icalcomponent_add_property(event, icalproperty_new_rrule(icalrecurrencetype_from_string(r.rrule.constData())));
  for (const QDate& d : r.skipped)
    icalcomponent_add_property(event, icalproperty_new_exdate(FloatingTime(d, r.timeKey)));
  const QByteArray text = NoteToText(r.note);
  const qsizetype lineEnd = text.indexOf('\n');
  icalcomponent_add_property(event, icalproperty_new_summary((lineEnd < 0 ? text : text.left(lineEnd)).constData()));
  icalcomponent_add_property(event, icalproperty_new_description(text.constData()));
  AddX(event, kMedia, r.media);
  AddX(event, kActive, r.active ? "1" : "0");
  AddX(event, kRepeat, r.repeat ? "1" : "0");
  if (!r.fired.empty()) {
    QByteArrayList dates;
    for (const QDate& d : r.fired) dates << DateText(d);
    AddX(event, kFired, dates.join(','));
  }
  if (r.firedBefore.isValid()) AddX(event, kFiredBefore, DateText(r.firedBefore));
  for (const QByteArray& line : r.otherLines) AddKeptLine(event, line);
  icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_null_duration();
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_property(alarm, icalproperty_new_description(text.constData()));
  icalcomponent_add_component(event, alarm);
  for (const QByteArray& block : r.otherBlocks) AddKeptBlock(event, block);
  return event;
}
}  // namespace

RecurringReminder* RecurringSet::find(const QByteArray& uid) {
  for (RecurringReminder& r : series)
    if (r.uid == uid) return &r;
  return nullptr;
}

QString RecurringFilePath() {
  return QDir(UserFolder()).filePath(QStringLiteral("recurring.dat"));
}

RecurringLoadResult ParseRecurringFile(const QByteArray& plain, RecurringSet& set) {
  set = RecurringSet{};
  icalerror_set_errors_are_fatal(0);
  // libical reads up to a NUL; text after one is not part of the document.
  const Component calendar(icalcomponent_new_from_string(QByteArray(plain.constData()).constData()));
  if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) return RecurringLoadResult::Damaged;
  for (icalproperty* p = icalcomponent_get_first_property(calendar.get(), ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(calendar.get(), ICAL_ANY_PROPERTY)) {
    const icalproperty_kind kind = icalproperty_isa(p);
    if (kind != ICAL_VERSION_PROPERTY && kind != ICAL_PRODID_PROPERTY)
      set.otherLines.push_back(Owned(icalproperty_as_ical_string_r(p)));
  }
  for (icalcomponent* c = icalcomponent_get_first_component(calendar.get(), ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(calendar.get(), ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT && IsOwnSeries(c)) {
      RecurringReminder r = ReadSeries(c);
      if (r.uid.isEmpty() || set.find(r.uid)) r.uid = NewRecurringUid();
      set.series.push_back(std::move(r));
    } else {
      set.otherBlocks.push_back(Owned(icalcomponent_as_ical_string_r(c)));
    }
  }
  return RecurringLoadResult::Ok;
}

QByteArray SerializeRecurringFile(const RecurringSet& set) {
  icalerror_set_errors_are_fatal(0);
  const Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
  for (const QByteArray& line : set.otherLines) AddKeptLine(calendar.get(), line);
  for (const RecurringReminder& r : set.series) icalcomponent_add_component(calendar.get(), WriteSeries(r));
  for (const QByteArray& block : set.otherBlocks) AddKeptBlock(calendar.get(), block);
  return Owned(icalcomponent_as_ical_string_r(calendar.get()));
}

RecurringLoadResult LoadRecurringFile(const QString& path, RecurringSet& set) {
  set = RecurringSet{};
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kRecurringReadLimit)) {
    case FileReadResult::Missing: return RecurringLoadResult::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return RecurringLoadResult::Unreadable;
    case FileReadResult::Ok: break;
  }
  UnscrambleBytes(bytes.data(), bytes.size());
  return ParseRecurringFile(bytes, set);
}

WriteResult SaveRecurringFile(const QString& path, const RecurringSet& set) {
  if (set == RecurringSet{}) return RemoveFileForced(path);
  QByteArray bytes = SerializeRecurringFile(set);
  ScrambleBytes(bytes.data(), bytes.size());
  return AtomicWriteFile(path, bytes);
}

}  // namespace orlane
