#include "reminders/alarm_scheduler.h"

#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"

#include <algorithm>

namespace orlane {

namespace {
QString MissedTitle(int year, int month, int day, const QByteArray& timeKey) {
  return QStringLiteral("Missed Reminder - %1-%2-%3 ")
             .arg(year, 4, 10, QLatin1Char('0'))
             .arg(month, 2, 10, QLatin1Char('0'))
             .arg(day, 2, 10, QLatin1Char('0')) +
         QString::fromLatin1(timeKey);
}

std::time_t DueTime(int year, int month, int day, const QByteArray& timeKey) {
  const TimeOfDay t = TimeKeyNumbers(timeKey);
  return MakeLocalTime(year, month, day, t.hour, t.minute, t.second);
}
}  // namespace

AlarmScheduler::AlarmScheduler(Host& host, ReminderStore& store) : host_(host), store_(store) {
  connect(&store_, &ReminderStore::remindersChanged, this, &AlarmScheduler::followStore);
  connect(&store_, &ReminderStore::recurringChanged, this, [this] { followStore(todayKey_); });
}

ReminderMap AlarmScheduler::todayReminders() const {
  return store_.shownDay(todayKey_);
}

void AlarmScheduler::followStore(const QString& dayKey) {
  if (dayKey != todayKey_) return;
  const LocalDate d = LocalDateOf(NowSeconds());
  const Day today{d.year, d.month, d.day, todayKey_};
  if (MakeDayKey(d.year, d.month, d.day) == todayKey_) todayDue_ = DueTimes(today, store_.shownDay(todayKey_));
}

AlarmScheduler::Day AlarmScheduler::DayOf(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return {d.year, d.month, d.day, MakeDayKey(d.year, d.month, d.day)};
}

AlarmScheduler::Day AlarmScheduler::DayBefore(const Day& d, int days) {
  // Calendar days at noon, so a change of daylight time never visits a day
  // twice or skips one.
  return DayOf(MakeLocalTime(d.year, d.month, d.day - days, 12, 0, 0));
}

std::vector<AlarmScheduler::DueEntry> AlarmScheduler::DueTimes(const Day& day, const ReminderMap& map) {
  std::vector<DueEntry> due;
  for (const auto& [key, value] : map) {
    if (!IsActive(value)) continue;
    const std::time_t t = DueTime(day.year, day.month, day.day, key);
    if (t != static_cast<std::time_t>(-1)) due.push_back({t, key});
  }
  std::stable_sort(due.begin(), due.end(), [](const DueEntry& a, const DueEntry& b) { return a.due < b.due; });
  return due;
}

void AlarmScheduler::loadTodayReminders() {
  const std::time_t now = NowSeconds();
  const Day today = DayOf(now);
  todayKey_ = today.key;
  store_.refresh(todayKey_);  // the file as it is now, with the edits not yet saved on top
  todayDue_ = DueTimes(today, store_.shownDay(todayKey_));
  if (!started_) {
    lastTick_ = now;
    started_ = true;
  }
}

void AlarmScheduler::showMissedReminders() {
  const std::time_t t0 = NowSeconds();
  lastTick_ = t0;
  started_ = true;
  const Day today = DayOf(t0);
  for (int i = 0; i < kMissedScanDays; ++i) {
    const Day day = DayBefore(today, i);
    // A copy: closing an alert changes the day in the store.
    const ReminderMap map = store_.shownDay(day.key);
    for (const auto& [key, value] : map) {
      if (i == 0 && DueTime(day.year, day.month, day.day, key) > t0) continue;
      if (!IsActive(value)) continue;
      fire(day, key, value, MissedTitle(day.year, day.month, day.day, key));
    }
    if (i > 0) store_.release(day.key);
  }
  reportSkipped();
}

void AlarmScheduler::reportSkipped() {
  if (skipped_ == 0) return;
  const int count = skipped_;
  skipped_ = 0;
  host_.remindersSkipped(count, lateCancelHours_);
}

void AlarmScheduler::checkDueReminders() {
  const std::time_t now = NowSeconds();
  if (!started_) {
    lastTick_ = now - 1;
    started_ = true;
  }
  if (lastTick_ - now > kClockStepBackSeconds) lastTick_ = now - 1;  // the clock was set back
  if (now <= lastTick_) return;                                      // the same second again, or a small step back
  // After a long sleep look back no further than the start-up scan would.
  const std::time_t from = std::max(lastTick_ + 1, now - static_cast<std::time_t>(kMissedScanDays) * 86400);
  lastTick_ = now;  // before any alert: a tick from inside an alert takes only what follows

  Day day = DayOf(from);
  const Day nowDay = DayOf(now);
  // Every calendar day the window touches, the old day first.
  for (int guard = 0; guard <= kMissedScanDays + 1; ++guard) {
    fireWindow(day, from, now);
    if (day.key == nowDay.key) break;
    day = DayBefore(day, -1);
  }
  reportSkipped();
  if (todayKey_ != nowDay.key) {
    loadTodayReminders();
    host_.dayChanged(todayKey_);
  }
}

void AlarmScheduler::fireWindow(const Day& day, std::time_t from, std::time_t to) {
  // Copies: closing an alert changes the day in the store.
  const ReminderMap map = store_.shownDay(day.key);
  const std::vector<DueEntry> due = day.key == todayKey_ ? todayDue_ : DueTimes(day, map);
  auto it = std::lower_bound(due.begin(), due.end(), from, [](const DueEntry& e, std::time_t t) { return e.due < t; });
  for (; it != due.end() && it->due <= to; ++it) {
    const auto found = map.find(it->timeKey);
    if (found == map.end() || !IsActive(found->second) || shown_.count({day.key, it->timeKey})) continue;
    const QByteArray& value = found->second;
    const bool late = NowSeconds() - it->due > kLateAlertSeconds;
    const QString title = late ? MissedTitle(day.year, day.month, day.day, it->timeKey)
                               : QStringLiteral("Reminder active - ") + QString::fromLatin1(it->timeKey);
    fire(day, it->timeKey, value, title);
  }
}

void AlarmScheduler::fire(const Day& day, const QByteArray& timeKey, const QByteArray& value, const QString& title) {
  if (IsPastLateCancel(DueTime(day.year, day.month, day.day, timeKey), NowSeconds(), lateCancelHours_)) {
    shown_.insert({day.key, timeKey});
    store_.markFired(day.key, timeKey);
    ++skipped_;
    return;
  }
  const Reminder r = ParseReminderValue(value);
  // Also when its file cannot be rewritten: it comes again at the next start, not in this run.
  shown_.insert({day.key, timeKey});
  host_.showAlert(AlertRequest{title, r.note, r.media, r.repeat, day.key, timeKey});
}

void AlarmScheduler::alertClosed(const AlertRequest& alert) {
  if (alert.dayKey.isEmpty() || alert.timeKey.isEmpty()) return;  // a test of the editor, not a reminder
  store_.markFired(alert.dayKey, alert.timeKey);
}

}  // namespace orlane
