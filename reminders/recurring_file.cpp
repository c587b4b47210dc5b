#include "reminders/recurring_file.h"

#include "platform/app_paths.h"
#include "reminders/ical_handles.h"
#include "reminders/recurring_event.h"
#include "security/scramble.h"

#include <QDir>

#include <libical/ical.h>

namespace orlane {

namespace {
constexpr qint64 kRecurringReadLimit = qint64(16) << 20;

}  // namespace

RecurringReminder* RecurringSet::find(const QByteArray& uid) {
  return const_cast<RecurringReminder*>(std::as_const(*this).find(uid));
}

const RecurringReminder* RecurringSet::find(const QByteArray& uid) const {
  for (const RecurringReminder& r : series)
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
  const IcalComponent calendar(icalcomponent_new_from_string(QByteArray(plain.constData()).constData()));
  if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) return RecurringLoadResult::Damaged;
  for (icalproperty* p = icalcomponent_get_first_property(calendar.get(), ICAL_ANY_PROPERTY); p;
       p = icalcomponent_get_next_property(calendar.get(), ICAL_ANY_PROPERTY)) {
    const icalproperty_kind kind = icalproperty_isa(p);
    if (kind != ICAL_VERSION_PROPERTY && kind != ICAL_PRODID_PROPERTY)
      set.otherLines.push_back(OwnedIcalText(icalproperty_as_ical_string_r(p)));
  }
  for (icalcomponent* c = icalcomponent_get_first_component(calendar.get(), ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(calendar.get(), ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT && IsSeriesEvent(c)) {
      RecurringReminder r = ReadSeriesEvent(c);
      if (r.uid.isEmpty() || set.find(r.uid)) r.uid = NewRecurringUid();
      set.series.push_back(std::move(r));
    } else {
      set.otherBlocks.push_back(OwnedIcalText(icalcomponent_as_ical_string_r(c)));
    }
  }
  return RecurringLoadResult::Ok;
}

QByteArray SerializeRecurringFile(const RecurringSet& set) {
  icalerror_set_errors_are_fatal(0);
  const IcalComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kIcalProductId));
  for (const QByteArray& line : set.otherLines) AddKeptIcalLine(calendar.get(), line);
  for (const RecurringReminder& r : set.series) icalcomponent_add_component(calendar.get(), NewSeriesEvent(r));
  for (const QByteArray& block : set.otherBlocks) AddKeptIcalBlock(calendar.get(), block);
  return OwnedIcalText(icalcomponent_as_ical_string_r(calendar.get()));
}

RecurringLoadResult LoadRecurringFile(const QString& path, RecurringSet& set) {
  set = RecurringSet{};
  QByteArray bytes;
  const RecurringLoadResult read = ReadRecurringFile(path, bytes);
  return read == RecurringLoadResult::Ok ? ParseRecurringFile(bytes, set) : read;
}

RecurringLoadResult ReadRecurringFile(const QString& path, QByteArray& plain) {
  switch (ReadFileBytes(path, plain, kRecurringReadLimit)) {
    case FileReadResult::Missing: return RecurringLoadResult::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return RecurringLoadResult::Unreadable;
    case FileReadResult::Ok: break;
  }
  UnscrambleBytes(plain.data(), plain.size());
  return RecurringLoadResult::Ok;
}

WriteResult SaveRecurringFile(const QString& path, const RecurringSet& set) {
  if (set == RecurringSet{}) return RemoveFileForced(path);
  QByteArray bytes = SerializeRecurringFile(set);
  ScrambleBytes(bytes.data(), bytes.size());
  return AtomicWriteFile(path, bytes);
}

}  // namespace orlane
