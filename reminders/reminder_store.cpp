#include "reminders/reminder_store.h"

#include "days/day_files.h"
#include "reminders/reminder_value.h"

namespace orlane {

namespace {
QString PathOf(const QString& dayKey) {
  return DayFilePath(dayKey, DayFileKind::Reminders);
}

bool IsDamaged(ReminderLoadResult result) {
  return result == ReminderLoadResult::Damaged || result == ReminderLoadResult::Unreadable;
}
}  // namespace

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
  const auto found = days_.find(dayKey);
  if (found == days_.end()) return false;
  if (!takeOverFile(dayKey, found->second)) return false;
  Q_EMIT remindersChanged(dayKey);
  return true;
}

std::vector<QString> ReminderStore::refreshAll() {
  std::vector<QString> changed;
  for (auto& [key, day] : days_)
    if (takeOverFile(key, day)) changed.push_back(key);
  for (const QString& key : changed) Q_EMIT remindersChanged(key);
  return changed;
}

ReminderSaveResult ReminderStore::save(const QString& dayKey) {
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
