#include "ical/ical_folder.h"

#include "days/day_files.h"
#include "platform/file_io.h"
#include "reminders/recurrence_expand.h"
#include "reminders/reminder_value.h"
#include "security/scramble.h"

#include <QDate>
#include <set>

namespace orlane {

namespace {
// A series is exported when it has an occurrence in the range; a range open
// at its end is searched this far.
constexpr int kOpenRangeYears = 10;
constexpr int kLastSecondOfDay = 24 * 60 * 60 - 1;

bool SeriesInRange(const RecurringReminder& series, const IcalExportRequest& request) {
  const QDate from = DayKeyDate(request.fromKey);
  const QDate to = DayKeyDate(request.toKey);
  if (to.isValid() && series.start > to) return false;
  if (!from.isValid() || !IsExpandable(series)) return true;  // a rule we cannot expand is kept, not lost
  const QDate start = std::max(from, series.start);
  const QDate end = to.isValid() ? to : start.addYears(kOpenRangeYears);
  return !OccurrencesIn(series, start, end).empty();
}

// Counts the days read for the progress; false once the collection is to stop.
class DayCounter {
 public:
  DayCounter(const IcalProgress& progress, int total) : progress_(progress), total_(total) {}
  bool next() { return !progress_ || progress_(done_++, total_); }

 private:
  const IcalProgress& progress_;
  int total_;
  int done_ = 0;
};

void CollectReminders(ReminderStore& store, const IcalExportRequest& request, const QStringList& days,
                      DayCounter& counter, IcalExportResult& result) {
  for (const QString& dayKey : days) {
    if (!counter.next()) {
      result.cancelled = true;
      return;
    }
    const ReminderMap& day = store.day(dayKey);
    const ReminderLoadResult read = store.loadResult(dayKey);
    if (read == ReminderLoadResult::Unreadable || read == ReminderLoadResult::Damaged) {
      result.unreadable << IsoDateOfDayKey(dayKey);
      result.incompleteReminderDays.insert(dayKey);
    }
    for (const auto& [timeKey, value] : day) {
      result.items.push_back(MakeReminderItem(dayKey, timeKey, value));
      ++result.reminders;
    }
  }
  const RecurringLoadResult recurring = store.recurringLoadResult();
  result.recurringIncomplete =
      recurring == RecurringLoadResult::Unreadable || recurring == RecurringLoadResult::Damaged;
  for (const RecurringReminder& series : store.recurring().series) {
    if (!SeriesInRange(series, request)) continue;
    result.items.push_back(MakeSeriesItem(series));
    ++result.series;
  }
}

void CollectPages(const IcalExportRequest& request, const QStringList& days, DayCounter& counter,
                  IcalExportResult& result) {
  for (const QString& dayKey : days) {
    if (!counter.next()) {
      result.cancelled = true;
      return;
    }
    QByteArray bytes;
    const FileReadResult read = ReadFileBytes(DayFilePath(dayKey, DayFileKind::Diary), bytes, kDiaryPageReadLimit);
    if (read == FileReadResult::Missing) continue;  // removed since the folder was listed
    const PasswordHeaderCheck check =
        read == FileReadResult::Ok ? CheckPasswordHeader(bytes, request.password) : PasswordHeaderCheck::TooShort;
    if (check == PasswordHeaderCheck::OtherPassword) {
      result.otherPassword << IsoDateOfDayKey(dayKey);
      result.incompletePageDays.insert(dayKey);
    } else if (check == PasswordHeaderCheck::TooShort) {
      result.unreadable << IsoDateOfDayKey(dayKey);
      result.incompletePageDays.insert(dayKey);
    } else {
      result.items.push_back(MakeDiaryPageItem(dayKey, UnwrapPasswordHeader(bytes)));
      ++result.pages;
    }
  }
}

class FolderImport {
 public:
  FolderImport(ReminderStore& store, const QByteArray& password) : store_(store), password_(password) {}

  void take(const IcalItem& item) {
    switch (item.kind) {
      case IcalItemKind::Reminder: takeReminder(item); break;
      case IcalItemKind::Series: takeSeries(item.series); break;
      case IcalItemKind::DiaryPage: takePage(item); break;
    }
  }

  IcalImportResult finish() {
    for (const QString& dayKey : changedDays_) noteSave(store_.save(dayKey));
    if (store_.isRecurringModified()) noteSave(store_.saveRecurring());
    return std::move(result_);
  }

 private:
  void skip(const IcalItem& item, const char* component, const QString& reason) {
    result_.skipped.push_back({component, item.uid, reason});
  }

  void takeReminder(const IcalItem& item) {
    if (!DayKeyDate(item.dayKey).isValid() || !IsWellFormedTimeKey(item.timeKey))
      return skip(item, "VEVENT", QStringLiteral("its date or time cannot be placed"));
    const ReminderLoadResult read = store_.loadResult(item.dayKey);
    if (read == ReminderLoadResult::Unreadable)
      return skip(item, "VEVENT",
                  QStringLiteral("the reminders of %1 cannot be read").arg(IsoDateOfDayKey(item.dayKey)));
    const std::optional<ReminderPlace> place = PlaceReminder(store_.shownDay(item.dayKey), item.timeKey, item.value);
    if (!place)
      return skip(item, "VEVENT",
                  QStringLiteral("no second after %1 is free").arg(IsoMomentOf(item.dayKey, item.timeKey)));
    if (place->held) {
      ++result_.unchanged;
      return;
    }
    store_.setReminder(item.dayKey, place->timeKey, item.value);
    changedDays_.insert(item.dayKey);
    ++result_.reminders;
    if (place->timeKey != item.timeKey) result_.moved << IsoMomentOf(item.dayKey, place->timeKey);
  }

  void takeSeries(RecurringReminder series) {
    if (series.uid.isEmpty()) series.uid = NewRecurringUid();
    if (const RecurringReminder* held = store_.recurring().find(series.uid)) {
      if (SameSeriesContent(*held, series)) {
        ++result_.unchanged;
        return;
      }
      result_.seriesCopies << QString::fromUtf8(series.uid);
      series.uid = NewRecurringUid();
    } else {
      ++result_.series;
    }
    store_.setSeries(series);
  }

  void takePage(const IcalItem& item) {
    if (!DayKeyDate(item.dayKey).isValid()) return skip(item, "VJOURNAL", QStringLiteral("its date cannot be placed"));
    const QString path = DayFilePath(item.dayKey, DayFileKind::Diary);
    const QByteArray wrapped = WrapWithPasswordHeader(item.rtf, password_);
    QByteArray now;
    switch (ReadFileBytes(path, now, kDiaryPageReadLimit)) {
      case FileReadResult::Missing:
        if (AtomicWriteFile(path, wrapped) != WriteResult::Written) return fail(path);
        ++result_.pages;
        return;
      case FileReadResult::Ok:
        if (now == wrapped) {
          ++result_.unchanged;
          return;
        }
        break;
      default: break;  // a page that cannot be read is not replaced either
    }
    const QString kept = KeepBytesBeside(path, QStringLiteral(".conflict"), wrapped, true);
    if (kept.isEmpty()) return fail(path);
    result_.conflictCopies << kept.section(QLatin1Char('/'), -1);
  }

  void fail(const QString& path) { result_.failures << path + QStringLiteral(": ") + LastFileError(); }

  void noteSave(const ReminderSaveResult& saved) {
    if (saved.failed) result_.failures << saved.failedPath + QStringLiteral(": ") + saved.reason;
  }

  ReminderStore& store_;
  const QByteArray& password_;
  IcalImportResult result_;
  std::set<QString> changedDays_;
};

QString Counted(int n, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}
}  // namespace

QString IsoDateOfDayKey(const QString& dayKey) {
  const QDate date = DayKeyDate(dayKey);
  return date.isValid() ? date.toString(Qt::ISODate) : dayKey;
}

QString IsoMomentOf(const QString& dayKey, const QByteArray& timeKey) {
  return IsoDateOfDayKey(dayKey) + QLatin1Char(' ') + QString::fromLatin1(timeKey);
}

bool SameSeriesContent(const RecurringReminder& a, const RecurringReminder& b) {
  return a.start == b.start && a.timeKey == b.timeKey && a.rrule == b.rrule && a.skipped == b.skipped &&
         a.note == b.note && a.media == b.media && a.active == b.active && a.repeat == b.repeat;
}

std::optional<ReminderPlace> PlaceReminder(const ReminderMap& shown, const QByteArray& timeKey,
                                           const QByteArray& value) {
  for (int s = TimeKeySeconds(timeKey); s <= kLastSecondOfDay; ++s) {
    QByteArray key = MakeTimeKey(s / 3600, s / 60 % 60, s % 60);
    const auto at = shown.find(key);
    if (at == shown.end()) return ReminderPlace{std::move(key), false};
    if (at->second == value) return ReminderPlace{std::move(key), true};
  }
  return std::nullopt;
}

IcalExportResult CollectIcalItems(ReminderStore& store, const IcalExportRequest& request,
                                  const IcalProgress& progress) {
  IcalExportResult result;
  const QStringList reminderDays = DayKeysWithFile(DayFileKind::Reminders, request.fromKey, request.toKey);
  const QStringList pageDays =
      request.diary ? DayKeysWithFile(DayFileKind::Diary, request.fromKey, request.toKey) : QStringList();
  DayCounter counter(progress, int(reminderDays.size() + pageDays.size()));
  CollectReminders(store, request, reminderDays, counter, result);
  if (!result.cancelled) CollectPages(request, pageDays, counter, result);
  if (result.cancelled) result.items.clear();
  return result;
}

IcalImportResult ImportIcalItems(ReminderStore& store, const std::vector<IcalItem>& items, const QByteArray& password) {
  FolderImport import(store, password);
  for (const IcalItem& item : items) import.take(item);
  return import.finish();
}

QString IcalImportSummary(const IcalImportResult& result) {
  QStringList lines;
  QStringList taken;
  if (result.reminders) taken << Counted(result.reminders, "reminder", "reminders");
  if (result.series) taken << Counted(result.series, "recurring reminder", "recurring reminders");
  if (result.pages) taken << Counted(result.pages, "diary page", "diary pages");
  if (taken.isEmpty())
    lines << QStringLiteral("Nothing new was imported.");
  else
    lines << QStringLiteral("Imported ") + taken.join(QStringLiteral(", ")) + QLatin1Char('.');
  if (result.unchanged)
    lines << (result.unchanged == 1 ? QStringLiteral("1 item was there already.")
                                    : QStringLiteral("%1 items were there already.").arg(result.unchanged));
  if (!result.moved.isEmpty())
    lines << QStringLiteral("Moved to the next free second, as their own was taken: ") +
                 result.moved.join(QStringLiteral(", ")) + QLatin1Char('.');
  if (!result.seriesCopies.isEmpty())
    lines << QStringLiteral("Recurring reminders that differ from yours were added beside them: ") +
                 Counted(int(result.seriesCopies.size()), "series", "series") + QLatin1Char('.');
  if (!result.conflictCopies.isEmpty())
    lines << QStringLiteral("Days that have a diary page already keep the imported one beside it: ") +
                 result.conflictCopies.join(QStringLiteral(", ")) + QLatin1Char('.');
  for (const IcalSkipped& s : result.skipped)
    lines << QStringLiteral("Not imported: ") + QString::fromUtf8(s.component) +
                 (s.uid.isEmpty() ? QString() : QStringLiteral(" ") + QString::fromUtf8(s.uid)) + QStringLiteral(" (") +
                 s.reason + QStringLiteral(").");
  for (const QString& f : result.failures) lines << QStringLiteral("Could not be written: ") + f;
  return lines.join(QLatin1Char('\n'));
}

}  // namespace orlane
