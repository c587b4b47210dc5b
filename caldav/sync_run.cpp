#include "caldav/sync_run.h"

#include "days/day_files.h"
#include "ical/ical_folder.h"
#include "platform/file_io.h"
#include "reminders/recurring_file.h"
#include "security/scramble.h"

#include <QDate>
#include <QUuid>

namespace orlane {

namespace {
// A uid of our own for a reminder that goes to the server beside another.
QByteArray FreshReminderUid(const IcalItem& item) {
  return ReminderUid(item.dayKey, item.timeKey)
      .replace("@orlane", "-" + QUuid::createUuid().toByteArray(QUuid::Id128).left(12) + "@orlane");
}

bool IsReminderKey(const QString& key) {
  return key.startsWith(QLatin1Char('R'));
}
}  // namespace

QString SyncKeyOf(const IcalItem& item) {
  switch (item.kind) {
    case IcalItemKind::Reminder:
      return QLatin1Char('R') + item.dayKey + QLatin1Char(' ') + QString::fromLatin1(item.timeKey);
    case IcalItemKind::Series: return QLatin1Char('S') + QString::fromUtf8(item.series.uid);
    case IcalItemKind::DiaryPage: return QLatin1Char('P') + item.dayKey;
  }
  return {};
}

QByteArray SyncContentOf(const IcalItem& item) {
  if (item.kind == IcalItemKind::Reminder) return item.value;
  if (item.kind == IcalItemKind::DiaryPage) return item.rtf;
  RecurringSet one;
  one.series.push_back(item.series);
  RecurringReminder& s = one.series.back();
  s.fired.clear();
  s.firedBefore = {};
  s.stamp.clear();
  return SerializeRecurringFile(one);
}

QString SyncReportText(const SyncReport& report) {
  QStringList lines;
  if (!report.error.isEmpty()) lines << report.error;
  lines << QStringLiteral("Synchronised: %1 received, %2 sent, %3 deleted here, %4 deleted on the server.")
               .arg(report.received)
               .arg(report.sent)
               .arg(report.removedHere)
               .arg(report.removedThere);
  if (!report.conflicts.isEmpty())
    lines << QStringLiteral("Changed on both sides; the server's version was kept beside yours: ") +
                 report.conflicts.join(QStringLiteral(", ")) + QLatin1Char('.');
  for (const QString& n : report.notTaken) lines << QStringLiteral("Not taken from the server: ") + n;
  for (const QString& f : report.failures) lines << QStringLiteral("Could not be written: ") + f;
  return lines.join(QLatin1Char('\n'));
}

SyncRun::SyncRun(ReminderStore& store, SyncState& state, CalDavCalendar& calendar, QString statePath,
                 std::optional<QByteArray> pagePassword, QObject* parent)
    : QObject(parent),
      store_(store),
      state_(state),
      calendar_(calendar),
      statePath_(std::move(statePath)),
      pagePassword_(std::move(pagePassword)) {}

bool SyncRun::syncs(const QString& key) const {
  // What could not be read here is neither sent nor deleted, nor replaced from the server.
  const QString dayKey = key.mid(1, 8);
  if (key.startsWith(QLatin1Char('P'))) return pagePassword_.has_value() && !incomplete_.pageDays.count(dayKey);
  if (key.startsWith(QLatin1Char('S'))) return !incomplete_.recurring;
  return !incomplete_.reminderDays.count(dayKey);
}

void SyncRun::start(std::function<void(const SyncReport&)> done) {
  done_ = std::move(done);
  report_ = {};
  calendar_.setCalendar(QUrl(state_.collection), state_.syncCollection);
  calendar_.changesSince(state_.token, [this](const CalDavChanges& changes) { listed(changes); });
}

std::map<QString, SyncRun::Local> SyncRun::localItems() {
  std::map<QString, Local> items;
  IcalExportRequest request;
  request.diary = pagePassword_.has_value();
  request.password = pagePassword_.value_or(QByteArray());
  IcalExportResult collected = CollectIcalItems(store_, request);
  incomplete_ = {std::move(collected.incompleteReminderDays), std::move(collected.incompletePageDays),
                 collected.recurringIncomplete};
  for (IcalItem& item : collected.items) {
    QByteArray hash = SyncContentHash(SyncContentOf(item));
    QString key = SyncKeyOf(item);
    items.emplace(std::move(key), Local{std::move(item), std::move(hash)});
  }
  return items;
}

void SyncRun::listed(const CalDavChanges& changes) {
  if (!changes.ok) return finish(changes.error);
  QStringList wanted;
  for (const auto& [href, etag] : changes.changed) {
    const QString key = state_.keyOfHref(href);
    if (key.isEmpty() || state_.items[key].etag != etag) wanted << href;
  }
  if (wanted.isEmpty()) return fetched(CalDavFetched{true, {}, {}, {}}, changes);
  calendar_.fetch(wanted, [this, changes](const CalDavFetched& result) { fetched(result, changes); });
}

void SyncRun::fetched(const CalDavFetched& result, const CalDavChanges& changes) {
  if (!result.ok) return finish(result.error);
  local_ = localItems();
  for (const CalDavResourceData& resource : result.resources)
    takeServerChange(resource.href, resource.etag, resource.data);
  std::vector<QString> removed(changes.removed.begin(), changes.removed.end());
  removed.insert(removed.end(), result.missing.begin(), result.missing.end());
  if (changes.complete) {
    // A full listing names every resource: what the state has beyond it is gone.
    for (const auto& [key, item] : state_.items)
      if (!changes.changed.count(item.href)) removed.push_back(item.href);
  }
  for (const QString& href : removed) takeServerRemoval(href);
  saveHere();
  // With a change put off, the server lists it again from the old token next time.
  if (!deferred_) state_.token = changes.token;
  if (!saveState()) return finish(QStringLiteral("%1: %2").arg(statePath_, LastFileError()));
  // local_ has followed every change taken from the server: no second look at the folder.
  planSends();
  next();
}

void SyncRun::takeServerChange(const QString& href, const QByteArray& etag, const QByteArray& data) {
  const IcalReadResult read = ReadIcalItems(data);
  const IcalItem* theirs = nullptr;
  // One item a resource: a series before a reminder before a page.
  const auto rank = [](IcalItemKind kind) {
    return kind == IcalItemKind::Series ? 0 : kind == IcalItemKind::Reminder ? 1 : 2;
  };
  for (const IcalItem& item : read.items)
    if ((item.kind != IcalItemKind::DiaryPage || pagePassword_) && (!theirs || rank(item.kind) < rank(theirs->kind)))
      theirs = &item;
  if (!theirs) {
    QString why = read.skipped.empty() ? QStringLiteral("no reminder in it") : read.skipped.front().reason;
    if (!read.items.empty()) {
      deferred_ = true;  // a page while the diary is locked: taken by a run that has the password
      return;
    }
    report_.notTaken << href + QStringLiteral(" (") + why + QLatin1Char(')');
    return;
  }
  const QString key = state_.keyOfHref(href);
  if (key.isEmpty()) return placeHere(*theirs, href, theirs->uid, etag);  // new on the server
  if (!syncs(key)) {
    deferred_ = true;  // unreadable here: the server's change waits for a run that can read it
    return;
  }
  const SyncItem before = state_.items[key];
  const auto here = local_.find(key);
  const bool changedHere = here == local_.end() || here->second.hash != before.hash;
  const bool deletedHere = here == local_.end();
  if (theirs->kind == IcalItemKind::DiaryPage && !deletedHere) {
    // Unchanged here, the server's page replaces ours; changed here too, ours stays and
    // goes to the server while theirs is kept beside it as a conflict copy.
    state_.items.erase(key);
    placeHere(*theirs, href, before.uid, etag, !changedHere);
    return;
  }
  if (changedHere && !deletedHere) {
    // Both sides changed it: ours stays and goes to the server anew, theirs comes in beside it.
    state_.items.erase(key);
    sendAsNew_.insert(key);
    if (!IsReminderKey(key)) renameHere(key);
    placeHere(*theirs, href, before.uid, etag);
    if (IsReminderKey(key)) {
      const QString placed = state_.keyOfHref(href);
      report_.conflicts << IsoMomentOf(placed.mid(1, 8), placed.mid(10).toLatin1());
    } else {
      report_.conflicts << QString::fromUtf8(theirs->series.uid);
    }
    return;
  }
  // Unchanged here, or deleted here while the server changed it: the server's version holds.
  if (!deletedHere) removeHere(key);
  state_.items.erase(key);
  placeHere(*theirs, href, before.uid, etag);
}

void SyncRun::takeServerRemoval(const QString& href) {
  const QString key = state_.keyOfHref(href);
  if (key.isEmpty()) return;
  if (!syncs(key)) {
    deferred_ = true;  // unreadable or locked here: the next run that can read it looks again
    return;
  }
  const SyncItem before = state_.items[key];
  const auto here = local_.find(key);
  state_.items.erase(key);
  if (here == local_.end()) return;              // gone on both sides
  if (here->second.hash != before.hash) return;  // changed here: it goes to the server again
  removeHere(key);
  ++report_.removedHere;
}

void SyncRun::placeHere(const IcalItem& item, const QString& href, const QByteArray& uid, const QByteArray& etag,
                        bool replace) {
  IcalItem placed = item;
  bool changed = true;
  bool oursStays = false;
  if (item.kind == IcalItemKind::DiaryPage) {
    const PagePlaced page = placePage(item, replace);
    if (page == PagePlaced::Failed) return;
    changed = page != PagePlaced::Held;
    oursStays = page == PagePlaced::BesideOurs;
  } else if (item.kind == IcalItemKind::Series) {
    const QString heldKey = SyncKeyOf(item);
    if (const RecurringReminder* held = store_.recurring().find(item.series.uid)) {
      if (SameSeriesContent(*held, item.series)) {
        placed.series.fired = held->fired;
        placed.series.firedBefore = held->firedBefore;
        changed = false;
      } else {
        renameHere(heldKey);  // another series of this uid is ours: both stay
      }
    }
    store_.setSeries(placed.series);
  } else {
    const std::optional<ReminderPlace> place = PlaceReminder(store_.shownDay(item.dayKey), item.timeKey, item.value);
    if (!place) {
      report_.notTaken << href + QStringLiteral(" (no free second on its day)");
      return;
    }
    placed.timeKey = place->timeKey;
    changed = !place->held;
    if (changed) {
      store_.setReminder(item.dayKey, place->timeKey, item.value);
      changedDays_.insert(item.dayKey);
    }
  }
  const QString key = SyncKeyOf(placed);
  state_.items[key] = SyncItem{href, uid.isEmpty() ? placed.uid : uid, etag, SyncContentHash(SyncContentOf(placed))};
  if (!oursStays) local_[key] = Local{placed, state_.items[key].hash};
  if (changed) ++report_.received;
}

SyncRun::PagePlaced SyncRun::placePage(const IcalItem& item, bool replace) {
  const QString path = DayFilePath(item.dayKey, DayFileKind::Diary);
  const QByteArray wrapped = WrapWithPasswordHeader(item.rtf, *pagePassword_);
  QByteArray now;
  const FileReadResult read = ReadFileBytes(path, now, kDiaryPageReadLimit);
  if (read == FileReadResult::Ok && now == wrapped) return PagePlaced::Held;
  if (read == FileReadResult::Missing || (replace && read == FileReadResult::Ok)) {
    if (AtomicWriteFile(path, wrapped) == WriteResult::Written) return PagePlaced::Written;
    report_.failures << path + QStringLiteral(": ") + LastFileError();
    return PagePlaced::Failed;
  }
  // A page of its own is here: the server's is kept beside it, ours goes to the server.
  const QString kept = KeepBytesBeside(path, QStringLiteral(".conflict"), wrapped, true);
  if (kept.isEmpty()) {
    report_.failures << path + QStringLiteral(": ") + LastFileError();
    return PagePlaced::Failed;
  }
  report_.conflicts << QStringLiteral("the diary page of %1 (theirs is %2)")
                           .arg(IsoDateOfDayKey(item.dayKey), kept.section(QLatin1Char('/'), -1));
  return PagePlaced::BesideOurs;
}

void SyncRun::renameHere(const QString& key) {
  const auto here = local_.find(key);
  if (here == local_.end() || here->second.item.kind != IcalItemKind::Series) return;
  RecurringReminder ours = here->second.item.series;
  store_.removeSeries(ours.uid);
  ours.uid = NewRecurringUid();
  store_.setSeries(ours);
  const IcalItem renamed = MakeSeriesItem(ours);
  const QString renamedKey = SyncKeyOf(renamed);
  local_.erase(here);
  local_[renamedKey] = Local{renamed, SyncContentHash(SyncContentOf(renamed))};
  sendAsNew_.insert(renamedKey);
}

void SyncRun::removeHere(const QString& key) {
  const auto here = local_.find(key);
  if (here == local_.end()) return;
  const IcalItem& item = here->second.item;
  if (item.kind == IcalItemKind::DiaryPage) {
    const QString path = DayFilePath(item.dayKey, DayFileKind::Diary);
    if (RemoveFileForced(path) != WriteResult::Written)
      report_.failures << path + QStringLiteral(": ") + LastFileError();
  } else if (item.kind == IcalItemKind::Series) {
    store_.removeSeries(item.series.uid);
  } else {
    store_.removeReminder(item.dayKey, item.timeKey);
    changedDays_.insert(item.dayKey);
  }
  local_.erase(here);
}

void SyncRun::saveHere() {
  for (const QString& dayKey : changedDays_) {
    const ReminderSaveResult saved = store_.save(dayKey);
    if (saved.failed) report_.failures << saved.failedPath + QStringLiteral(": ") + saved.reason;
  }
  changedDays_.clear();
  if (store_.isRecurringModified()) {
    const ReminderSaveResult saved = store_.saveRecurring();
    if (saved.failed) report_.failures << saved.failedPath + QStringLiteral(": ") + saved.reason;
  }
}

void SyncRun::planMoves() {
  // A reminder gone from one second and the same one new at another was moved:
  // its resource moves with it rather than being deleted and made anew.
  std::vector<std::pair<QString, QString>> moves;
  std::set<QString> taken;
  for (const auto& entry : state_.items) {
    if (!IsReminderKey(entry.first) || local_.count(entry.first) || !syncs(entry.first)) continue;
    for (const auto& local : local_) {
      if (!IsReminderKey(local.first) || state_.items.count(local.first) || sendAsNew_.count(local.first) ||
          taken.count(local.first) || local.second.hash != entry.second.hash)
        continue;
      moves.emplace_back(entry.first, local.first);
      taken.insert(local.first);
      break;
    }
  }
  for (const auto& [from, to] : moves) {
    state_.items[to] = state_.items[from];
    state_.items.erase(from);
    steps_.push_back([this, key = to, item = local_[to].item, hash = local_[to].hash] { send(key, item, hash); });
  }
}

void SyncRun::planSends() {
  planMoves();
  // Deleted here since the last sync.
  for (const auto& entry : state_.items) {
    if (local_.count(entry.first) || !syncs(entry.first)) continue;
    steps_.push_back([this, key = entry.first, resource = entry.second] { removeThere(key, resource); });
  }
  for (const auto& entry : local_) {
    if (!syncs(entry.first)) continue;
    const auto known = state_.items.find(entry.first);
    const bool isNew = known == state_.items.end();
    if (!isNew && known->second.hash == entry.second.hash) continue;
    steps_.push_back([this, isNew, key = entry.first, item = entry.second.item, hash = entry.second.hash] {
      if (isNew)
        sendNew(key, item, hash);
      else
        send(key, item, hash);
    });
  }
}

void SyncRun::send(const QString& key, const IcalItem& item, const QByteArray& hash) {
  const SyncItem resource = state_.items[key];
  IcalItem out = item;
  out.uid = resource.uid;
  if (out.kind == IcalItemKind::Series) out.series.uid = resource.uid;
  calendar_.put(resource.href, IcalItemText(out), resource.etag, [this, key, hash](const CalDavWritten& written) {
    if (written.ok) {
      SyncItem& kept = state_.items[key];
      kept.etag = written.etag;
      kept.hash = hash;
      ++report_.sent;
    } else if (!written.conflict) {
      return finish(written.error);
    }  // changed on the server meanwhile: the next run brings both sides together
    if (!saveState()) return finish(QStringLiteral("%1: %2").arg(statePath_, LastFileError()));
    next();
  });
}

void SyncRun::sendNew(const QString& key, IcalItem item, const QByteArray& hash) {
  if (sendAsNew_.count(key) || item.uid.isEmpty()) {
    if (item.kind == IcalItemKind::Reminder) item.uid = FreshReminderUid(item);
  }
  const QByteArray uid = item.kind == IcalItemKind::Series ? item.series.uid : item.uid;
  const QString href = calendar_.hrefForUid(uid);
  calendar_.put(href, IcalItemText(item), {}, [this, key, href, uid, hash](const CalDavWritten& written) {
    if (written.ok) {
      state_.items[key] = SyncItem{href, uid, written.etag, hash};
      ++report_.sent;
    } else if (!written.conflict) {
      return finish(written.error);
    }  // a resource of that name is there: the next run's listing brings it in first
    if (!saveState()) return finish(QStringLiteral("%1: %2").arg(statePath_, LastFileError()));
    next();
  });
}

void SyncRun::removeThere(const QString& key, const SyncItem& resource) {
  calendar_.remove(resource.href, resource.etag, [this, key](const CalDavWritten& written) {
    if (written.ok || written.gone) {
      state_.items.erase(key);
      ++report_.removedThere;
    } else if (!written.conflict) {
      return finish(written.error);
    }  // changed on the server meanwhile: the next run brings the change back here
    if (!saveState()) return finish(QStringLiteral("%1: %2").arg(statePath_, LastFileError()));
    next();
  });
}

void SyncRun::next() {
  if (steps_.empty()) return finish();
  if (planned_ == 0) planned_ = int(steps_.size());
  Q_EMIT progress(planned_ - int(steps_.size()), planned_);
  const Step step = std::move(steps_.front());
  steps_.pop_front();
  step();
}

bool SyncRun::saveState() {
  return SaveSyncState(statePath_, state_) != WriteResult::Failed;
}

void SyncRun::finish(const QString& error) {
  steps_.clear();
  saveHere();
  saveState();
  report_.ok = error.isEmpty() && report_.failures.isEmpty();
  report_.error = error;
  if (done_) std::exchange(done_, {})(report_);
}

}  // namespace orlane
