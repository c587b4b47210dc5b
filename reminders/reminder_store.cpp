#include "reminders/reminder_store.h"

#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/recurrence_expand.h"
#include "reminders/reminder_value.h"

#include <algorithm>

namespace orlane {

namespace {
QString PathOf(const QString& dayKey) {
  return DayFilePath(dayKey, DayFileKind::Reminders);
}

bool IsDamaged(ReminderLoadResult result) {
  return result == ReminderLoadResult::Damaged || result == ReminderLoadResult::Unreadable;
}

QDate Today() {
  const LocalDate d = LocalDateOf(NowSeconds());
  return {d.year, d.month, d.day};
}

const RecurringReminder* FindSeries(const RecurringSet& set, const QByteArray& uid) {
  const auto it = std::find_if(set.series.begin(), set.series.end(), [&](const auto& s) { return s.uid == uid; });
  return it == set.series.end() ? nullptr : &*it;
}
}  // namespace

RecurringSet MergeRecurring(const RecurringSet& base, const RecurringSet& mine, const RecurringSet& theirs) {
  RecurringSet merged = theirs;
  const auto take = [&](const QByteArray& uid) {
    const RecurringReminder* was = FindSeries(base, uid);
    const RecurringReminder* is = FindSeries(mine, uid);
    const bool edited = (was == nullptr) != (is == nullptr) || (is && *is != *was);
    if (!edited) return;
    auto& list = merged.series;
    const auto at = std::find_if(list.begin(), list.end(), [&](const auto& s) { return s.uid == uid; });
    if (!is) {
      if (at != list.end()) list.erase(at);
    } else if (at != list.end()) {
      *at = *is;
    } else {
      list.push_back(*is);
    }
  };
  for (const RecurringReminder& s : base.series) take(s.uid);
  for (const RecurringReminder& s : mine.series) take(s.uid);
  return merged;
}

ReminderMap MergeReminders(const ReminderMap& base, const ReminderMap& mine, const ReminderMap& theirs) {
  ReminderMap merged = theirs;
  const auto take = [&](const QByteArray& key) {
    const auto was = base.find(key);
    const auto is = mine.find(key);
    const bool edited = (was == base.end()) != (is == mine.end()) || (is != mine.end() && is->second != was->second);
    if (!edited) return;
    if (is == mine.end())
      merged.erase(key);
    else
      merged[key] = is->second;
  };
  for (const auto& entry : base) take(entry.first);
  for (const auto& entry : mine) take(entry.first);
  return merged;
}

ReminderStore::Day& ReminderStore::held(const QString& dayKey) {
  const auto found = days_.find(dayKey);
  if (found != days_.end()) return found->second;
  Day& day = days_[dayKey];
  const QString path = PathOf(dayKey);
  day.signature = FileSignatureOf(path);
  day.result = LoadReminderDay(path, day.base);
  day.mine = day.base;
  return day;
}

const ReminderMap& ReminderStore::day(const QString& dayKey) {
  return held(dayKey).mine;
}

const ReminderMap& ReminderStore::base(const QString& dayKey) {
  return held(dayKey).base;
}

ReminderLoadResult ReminderStore::loadResult(const QString& dayKey) {
  return held(dayKey).result;
}

bool ReminderStore::isModified(const QString& dayKey) const {
  const auto found = days_.find(dayKey);
  return found != days_.end() && found->second.mine != found->second.base;
}

void ReminderStore::change(const QString& dayKey, Day& day, ReminderMap mine) {
  if (mine == day.mine) return;
  day.mine = std::move(mine);
  Q_EMIT remindersChanged(dayKey);
}

void ReminderStore::setReminder(const QString& dayKey, const QByteArray& timeKey, const QByteArray& value) {
  Day& day = held(dayKey);
  const auto it = day.mine.find(timeKey);
  if (it != day.mine.end() && it->second == value) return;
  day.mine[timeKey] = value;
  Q_EMIT remindersChanged(dayKey);
}

void ReminderStore::removeReminder(const QString& dayKey, const QByteArray& timeKey) {
  Day& day = held(dayKey);
  if (day.mine.erase(timeKey) > 0) Q_EMIT remindersChanged(dayKey);
}

void ReminderStore::setDay(const QString& dayKey, const ReminderMap& map) {
  Day& day = held(dayKey);
  change(dayKey, day, map);
}

bool ReminderStore::takeOverFile(const QString& dayKey, Day& day) {
  const QString path = PathOf(dayKey);
  const FileSignature now = FileSignatureOf(path);
  if (day.signature.unchangedIn(now)) return false;
  ReminderMap theirs;
  const ReminderLoadResult result = LoadReminderDay(path, theirs);
  // A file that cannot be read now tells nothing; it is looked at again next time.
  if (result == ReminderLoadResult::Unreadable) return false;
  day.signature = now;
  if (result == day.result && theirs == day.base) return false;
  ReminderMap merged = MergeReminders(day.base, day.mine, theirs);
  day.base = std::move(theirs);
  day.result = result;
  if (merged == day.mine) return false;
  day.mine = std::move(merged);
  return true;
}

bool ReminderStore::refresh(const QString& dayKey) {
  if (recurring_.loaded && takeOverRecurringFile()) tellEveryDay();
  const auto found = days_.find(dayKey);
  if (found == days_.end()) return false;
  if (!takeOverFile(dayKey, found->second)) return false;
  Q_EMIT remindersChanged(dayKey);
  return true;
}

std::vector<QString> ReminderStore::refreshAll() {
  if (recurring_.loaded && takeOverRecurringFile()) tellEveryDay();
  std::vector<QString> changed;
  for (auto& [key, day] : days_)
    if (takeOverFile(key, day)) changed.push_back(key);
  for (const QString& key : changed) Q_EMIT remindersChanged(key);
  return changed;
}

ReminderSaveResult ReminderStore::save(const QString& dayKey) {
  if (isRecurringModified()) {
    ReminderSaveResult recurringSaved = saveRecurring();
    if (recurringSaved.failed) return recurringSaved;
  }
  ReminderSaveResult result;
  Day& day = held(dayKey);
  const QString path = PathOf(dayKey);
  if (takeOverFile(dayKey, day)) {
    result.merged = true;
    Q_EMIT remindersChanged(dayKey);
  }
  if (day.mine == day.base) {
    result.protectedFile = IsDamaged(day.result);
    return result;
  }
  const auto fail = [&] {
    result.failed = true;
    result.failedPath = path;
    result.reason = LastFileError();
    return result;
  };
  if (IsDamaged(day.result) && FileExists(path)) {
    // The user changed the day: the damaged original is kept before it is replaced.
    result.damagedKeptAs = KeepFileCopy(path, QStringLiteral(".damaged"));
    if (result.damagedKeptAs.isEmpty()) {
      result.protectedFile = true;
      return fail();
    }
  }
  if (SaveReminderDay(path, day.mine) != WriteResult::Written) return fail();
  result.written = true;
  day.base = day.mine;
  day.result = day.mine.empty() ? ReminderLoadResult::Missing : ReminderLoadResult::Ok;
  day.signature = FileSignatureOf(path);
  Q_EMIT fileWritten(path);
  return result;
}

void ReminderStore::markFired(const QString& dayKey, const QByteArray& timeKey) {
  Day& day = held(dayKey);
  takeOverFile(dayKey, day);
  if (!day.mine.count(timeKey) && markOccurrenceFired(dayKey, timeKey)) return;
  const auto mine = day.mine.find(timeKey);
  const bool changedMine = mine != day.mine.end() && IsActive(mine->second);
  if (mine != day.mine.end()) mine->second = WithoutActiveMarker(mine->second);
  const auto inFile = day.base.find(timeKey);
  if (day.result == ReminderLoadResult::Ok && inFile != day.base.end() && IsActive(inFile->second)) {
    ReminderMap written = day.base;
    written[timeKey] = WithoutActiveMarker(inFile->second);
    const QString path = PathOf(dayKey);
    // A marker that cannot be cleared in the file leaves the reminder active
    // there: it comes again at the next start, which loses nothing.
    if (SaveReminderDay(path, written) == WriteResult::Written) {
      day.base = std::move(written);
      day.signature = FileSignatureOf(path);
      Q_EMIT fileWritten(path);
    }
  }
  if (changedMine) Q_EMIT remindersChanged(dayKey);
}

ReminderStore::Recurring& ReminderStore::heldRecurring() {
  if (recurring_.loaded) return recurring_;
  const QString path = RecurringFilePath();
  recurring_.loaded = true;
  recurring_.signature = FileSignatureOf(path);
  recurring_.result = LoadRecurringFile(path, recurring_.base);
  recurring_.mine = recurring_.base;
  return recurring_;
}

const RecurringSet& ReminderStore::recurring() {
  return heldRecurring().mine;
}

RecurringLoadResult ReminderStore::recurringLoadResult() {
  return heldRecurring().result;
}

bool ReminderStore::takeOverRecurringFile() {
  Recurring& r = heldRecurring();
  const QString path = RecurringFilePath();
  const FileSignature now = FileSignatureOf(path);
  if (r.signature.unchangedIn(now)) return false;
  RecurringSet theirs;
  const RecurringLoadResult result = LoadRecurringFile(path, theirs);
  if (result == RecurringLoadResult::Unreadable) return false;
  r.signature = now;
  if (result == r.result && theirs == r.base) return false;
  RecurringSet merged = MergeRecurring(r.base, r.mine, theirs);
  r.base = std::move(theirs);
  r.result = result;
  if (merged == r.mine) return false;
  r.mine = std::move(merged);
  return true;
}

void ReminderStore::tellEveryDay() {
  Q_EMIT recurringChanged();
  std::vector<QString> keys;
  for (const auto& entry : days_) keys.push_back(entry.first);
  for (const QString& key : keys) Q_EMIT remindersChanged(key);
}

void ReminderStore::changeRecurring(RecurringSet mine) {
  Recurring& r = heldRecurring();
  if (mine == r.mine) return;
  r.mine = std::move(mine);
  tellEveryDay();
}

ReminderMap ReminderStore::occurrences(const QString& dayKey) {
  ReminderMap out;
  const QDate date = DayKeyDate(dayKey);
  if (!date.isValid()) return out;
  const ReminderMap& oneOff = day(dayKey);
  for (const RecurringReminder& series : recurring().series)
    for (const Occurrence& o : OccurrencesOn(series, date))
      if (!oneOff.count(o.timeKey)) out.emplace(o.timeKey, series.occurrenceValue(date));
  return out;
}

bool ReminderStore::hasOccurrences(const QString& dayKey) {
  const QDate date = DayKeyDate(dayKey);
  const auto& all = recurring().series;
  return date.isValid() &&
         std::any_of(all.begin(), all.end(), [&](const auto& series) { return !OccurrencesOn(series, date).empty(); });
}

ReminderMap ReminderStore::shownDay(const QString& dayKey) {
  ReminderMap shown = occurrences(dayKey);
  for (const auto& [key, value] : day(dayKey)) shown[key] = value;
  return shown;
}

std::optional<RecurringReminder> ReminderStore::occurrenceAt(const QString& dayKey, const QByteArray& timeKey) {
  const QDate date = DayKeyDate(dayKey);
  if (!date.isValid() || day(dayKey).count(timeKey)) return std::nullopt;
  for (const RecurringReminder& series : recurring().series)
    for (const Occurrence& o : OccurrencesOn(series, date))
      if (o.timeKey == timeKey) return series;
  return std::nullopt;
}

void ReminderStore::setSeries(const RecurringReminder& series) {
  RecurringSet mine = recurring();
  if (RecurringReminder* found = mine.find(series.uid))
    *found = series;
  else
    mine.series.push_back(series);
  changeRecurring(std::move(mine));
}

void ReminderStore::removeSeries(const QByteArray& uid) {
  RecurringSet mine = recurring();
  std::erase_if(mine.series, [&](const RecurringReminder& s) { return s.uid == uid; });
  changeRecurring(std::move(mine));
}

bool ReminderStore::skipOccurrence(const QString& dayKey, const QByteArray& timeKey) {
  std::optional<RecurringReminder> series = occurrenceAt(dayKey, timeKey);
  if (!series) return false;
  series->skipped.insert(DayKeyDate(dayKey));
  setSeries(*series);
  return true;
}

ReminderSaveResult ReminderStore::saveRecurring() {
  ReminderSaveResult result;
  Recurring& r = heldRecurring();
  if (takeOverRecurringFile()) {
    result.merged = true;
    tellEveryDay();
  }
  if (r.mine == r.base) return result;
  const QString path = RecurringFilePath();
  if (r.result == RecurringLoadResult::Damaged && FileExists(path)) {
    // Not an iCalendar document: kept beside itself before it is replaced.
    result.damagedKeptAs = KeepFileCopy(path, QStringLiteral(".damaged"));
    if (result.damagedKeptAs.isEmpty()) {
      result.protectedFile = true;
      result.failed = true;
      result.failedPath = path;
      result.reason = LastFileError();
      return result;
    }
  }
  if (SaveRecurringFile(path, r.mine) != WriteResult::Written) {
    result.failed = true;
    result.failedPath = path;
    result.reason = LastFileError();
    return result;
  }
  result.written = true;
  r.base = r.mine;
  r.result = r.mine == RecurringSet{} ? RecurringLoadResult::Missing : RecurringLoadResult::Ok;
  r.signature = FileSignatureOf(path);
  Q_EMIT fileWritten(path);
  return result;
}

bool ReminderStore::markOccurrenceFired(const QString& dayKey, const QByteArray& timeKey) {
  takeOverRecurringFile();
  const std::optional<RecurringReminder> series = occurrenceAt(dayKey, timeKey);
  if (!series) return false;
  const QDate date = DayKeyDate(dayKey);
  const QDate oldest = Today().addDays(-kFiredRecordDays);
  Recurring& r = recurring_;
  const bool changedMine = !series->hasFired(date);
  if (RecurringReminder* mine = r.mine.find(series->uid)) mine->markFired(date, oldest);
  RecurringSet written = r.base;
  RecurringReminder* inFile = written.find(series->uid);
  if (r.result != RecurringLoadResult::Damaged && r.result != RecurringLoadResult::Unreadable && inFile &&
      !inFile->hasFired(date)) {
    inFile->markFired(date, oldest);
    const QString path = RecurringFilePath();
    // As for a day file: a record that cannot be written lets the occurrence come again at the next start.
    if (SaveRecurringFile(path, written) == WriteResult::Written) {
      r.base = std::move(written);
      r.signature = FileSignatureOf(path);
      Q_EMIT fileWritten(path);
    }
  }
  if (changedMine) {
    Q_EMIT recurringChanged();
    Q_EMIT remindersChanged(dayKey);
  }
  return true;
}

ReminderSaveResult ReminderStore::addAndWrite(const QString& dayKey, const QByteArray& timeKey,
                                              const QByteArray& value) {
  ReminderSaveResult result;
  Day& day = held(dayKey);
  takeOverFile(dayKey, day);
  const QString path = PathOf(dayKey);
  const bool changedMine = day.mine[timeKey] != value;
  day.mine[timeKey] = value;
  if (IsDamaged(day.result)) {
    result.failed = true;
    result.protectedFile = true;
    result.failedPath = path;
    result.reason = QStringLiteral("the file is damaged");
  } else {
    ReminderMap written = day.base;
    written[timeKey] = value;
    if (SaveReminderDay(path, written) == WriteResult::Written) {
      result.written = true;
      day.base = std::move(written);
      day.result = ReminderLoadResult::Ok;
      day.signature = FileSignatureOf(path);
      Q_EMIT fileWritten(path);
    } else {
      result.failed = true;
      result.failedPath = path;
      result.reason = LastFileError();
    }
  }
  if (changedMine) Q_EMIT remindersChanged(dayKey);
  return result;
}

void ReminderStore::discardEdits(const QString& dayKey) {
  const auto found = days_.find(dayKey);
  if (found != days_.end()) change(dayKey, found->second, found->second.base);
}

void ReminderStore::release(const QString& dayKey) {
  const auto found = days_.find(dayKey);
  if (found != days_.end() && found->second.mine == found->second.base) days_.erase(found);
}

}  // namespace orlane
