#include "reminders/alarm_scheduler.h"

#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"

#include <algorithm>

namespace orlane {

namespace {
constexpr char kCrLf[] = "\r\n";

QString DayPath(const QString& key) {
  return DayFilePath(key, DayFileKind::Reminders);
}

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

QByteArray WithoutActiveMarker(const QByteArray& value) {
  const qsizetype crlf = value.indexOf(kCrLf);
  if (crlf < 0) return value;
  QByteArray head = value.left(crlf);
  head.replace(kActiveMarker, "");
  return head + value.mid(crlf);
}

int AlarmScheduler::MsUntilNextSecond(qint64 nowMs) {
  const qint64 into = ((nowMs % 1000) + 1000) % 1000;
  return static_cast<int>(1000 - into);
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
    if (!ParseReminderValue(value).active) continue;
    const std::time_t t = DueTime(day.year, day.month, day.day, key);
    if (t != static_cast<std::time_t>(-1)) due.push_back({t, key});
  }
  std::stable_sort(due.begin(), due.end(), [](const DueEntry& a, const DueEntry& b) { return a.due < b.due; });
  return due;
}

void AlarmScheduler::loadTodayReminders() {
  const std::time_t now = NowSeconds();
  const Day today = DayOf(now);
  today_.clear();
  todayKey_ = today.key;
  LoadReminderDay(DayPath(todayKey_), today_);
  todayDue_ = DueTimes(today, today_);
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
    ReminderMap map;
    if (LoadReminderDay(DayPath(day.key), map) == ReminderLoadResult::Missing) continue;
    for (const auto& [key, value] : map) {
      if (i == 0 && DueTime(day.year, day.month, day.day, key) > t0) continue;
      const Reminder r = ParseReminderValue(value);
      if (!r.active) continue;
      fire(day, key, value, MissedTitle(day.year, day.month, day.day, key));
    }
  }
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
  if (todayKey_ != nowDay.key) {
    loadTodayReminders();
    host_.dayChanged(todayKey_);
  }
}

void AlarmScheduler::fireWindow(const Day& day, std::time_t from, std::time_t to) {
  // Copies: alerts are modal and the maps may be reloaded while one is open.
  ReminderMap map;
  std::vector<DueEntry> due;
  if (day.key == todayKey_) {
    map = today_;
    due = todayDue_;
  } else {
    LoadReminderDay(DayPath(day.key), map);
    due = DueTimes(day, map);
  }
  auto it = std::lower_bound(due.begin(), due.end(), from, [](const DueEntry& e, std::time_t t) { return e.due < t; });
  for (; it != due.end() && it->due <= to; ++it) {
    const QByteArray& value = map[it->timeKey];
    if (!ParseReminderValue(value).active || shown_.count({day.key, it->timeKey})) continue;
    const bool late = NowSeconds() - it->due > kLateAlertSeconds;
    const QString title = late ? MissedTitle(day.year, day.month, day.day, it->timeKey)
                               : QStringLiteral("Reminder active - ") + QString::fromLatin1(it->timeKey);
    fire(day, it->timeKey, value, title);
  }
}

void AlarmScheduler::fire(const Day& day, const QByteArray& timeKey, const QByteArray& value, const QString& title) {
  const Reminder r = ParseReminderValue(value);
  // Also when its file cannot be rewritten: it comes again at the next start, not in this run.
  shown_.insert({day.key, timeKey});
  host_.showAlert(AlertRequest{title, r.note, r.media, r.repeat, day.key, timeKey});
  clearActiveMarker(day, timeKey);
  host_.reminderFired(day.key, timeKey);
}

void AlarmScheduler::clearActiveMarker(const Day& day, const QByteArray& timeKey) {
  // The day's file as it is now: the editor or the command line may have
  // changed it while the alert was open.
  ReminderMap map;
  const ReminderLoadResult loaded = LoadReminderDay(DayPath(day.key), map);
  const auto it = map.find(timeKey);
  if (day.key == todayKey_) {
    const auto cached = today_.find(timeKey);
    if (cached != today_.end()) cached->second = WithoutActiveMarker(cached->second);
  }
  // A damaged file is not rewritten: its tail would be lost. The reminder then
  // stays active and comes again at the next start.
  if (loaded != ReminderLoadResult::Ok || it == map.end()) return;
  it->second = WithoutActiveMarker(it->second);
  // A marker that cannot be cleared in the file leaves the reminder active
  // there: it comes again at the next start, which loses nothing.
  static_cast<void>(SaveReminderDay(DayPath(day.key), map));
}

}  // namespace orlane
