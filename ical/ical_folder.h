// The user folder as iCalendar items and back: the export collects the
// reminders, series and (when asked) diary pages of a range of days; the
// import takes items into the folder through the reminder store, so that
// nothing the folder holds is lost:
//   - a reminder whose second is taken by another goes to the next free
//     second of its day; one already there as it is (at its second or at one
//     of the taken seconds after it, where an earlier import put it) is not
//     added twice;
//   - a series of a uid the folder holds with other content is added beside
//     it under a new uid; with the same content it is left as it is;
//   - a diary page becomes the day's page when the day has none, else it is
//     kept beside it as a conflict copy, as the folder merge keeps another
//     writer's page;
//   - what cannot be taken is listed with the reason.
// Pure logic over files (no window); the command line and the window share it.
#pragma once

#include "ical/ical_item.h"
#include "reminders/reminder_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace orlane {

// Pages carry their pictures: far larger than any other day file.
inline constexpr qint64 kDiaryPageReadLimit = qint64(512) << 20;

struct IcalExportRequest {
  QString fromKey = QStringLiteral("00000000");  // day keys, both inclusive
  QString toKey = QStringLiteral("ffffffff");
  bool diary = false;   // pages too (as VJOURNAL)
  QByteArray password;  // the pages written under it are exported
};

struct IcalExportResult {
  std::vector<IcalItem> items;  // reminders in day and time order, then series, then pages
  int reminders = 0;
  int series = 0;
  int pages = 0;
  QStringList otherPassword;  // ISO dates of the pages of another password (not exported)
  QStringList unreadable;     // ISO dates whose reminders or page could not be read completely
  // Day keys of the same: what is missing from the items there is not known to be gone.
  std::set<QString> incompleteReminderDays;
  std::set<QString> incompletePageDays;
  bool recurringIncomplete = false;  // the recurring file could not be read completely
  bool cancelled = false;
};

// done of total days read; returning false stops the collection (cancelled).
using IcalProgress = std::function<bool(int done, int total)>;

IcalExportResult CollectIcalItems(ReminderStore& store, const IcalExportRequest& request,
                                  const IcalProgress& progress = {});

struct IcalImportResult {
  int reminders = 0;           // one-off reminders added
  int series = 0;              // recurring reminders added
  int pages = 0;               // diary pages written
  int unchanged = 0;           // items the folder held already as they are
  QStringList moved;           // reminders put at another second: "YYYY-MM-DD HH:mm:ss"
  QStringList seriesCopies;    // series added beside one of the same uid
  QStringList conflictCopies;  // file names of pages kept beside the day's page
  std::vector<IcalSkipped> skipped;
  QStringList failures;  // "path: reason" of what could not be written

  bool ok() const { return failures.isEmpty(); }
};

// Takes the items into the folder; pages are written under password. The
// days changed and the recurring file are saved before it returns.
IcalImportResult ImportIcalItems(ReminderStore& store, const std::vector<IcalItem>& items, const QByteArray& password);

// What an import did, in the program's words, one statement per line.
QString IcalImportSummary(const IcalImportResult& result);

// "YYYY-MM-DD" of a day key, and "YYYY-MM-DD HH:mm:ss" of a day and time key
// (a key that is no date is shown as it is).
QString IsoDateOfDayKey(const QString& dayKey);
QString IsoMomentOf(const QString& dayKey, const QByteArray& timeKey);

// Whether two series are what a person set alike; the fired records and the
// stamp follow each computer's own use of it.
bool SameSeriesContent(const RecurringReminder& a, const RecurringReminder& b);

// Where a reminder of this value goes on a day that shows these reminders:
// the first second at or after timeKey that is free, or that holds this very
// value already (held; an earlier import or sync put it there). nullopt when
// the rest of the day is taken.
struct ReminderPlace {
  QByteArray timeKey;
  bool held = false;
};
std::optional<ReminderPlace> PlaceReminder(const ReminderMap& shown, const QByteArray& timeKey,
                                           const QByteArray& value);

}  // namespace orlane
