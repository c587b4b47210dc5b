// Fires the reminders of the current day at their second and reports, once,
// those that fell due while the program was not running. Pure logic: the time
// comes from the program clock, alerts are shown through the Host (modally, and
// the host may tick the scheduler again while one is open), and every change of
// a reminder's active marker is written into the file of the reminder's own day.
//
// A tick fires every active reminder whose second lies after the previous
// tick's second and not after now, so a tick that skips a second loses
// nothing; one more than a minute late (the computer slept) is shown as
// missed. A change of date is noticed at the first tick of the new day, however
// late that tick comes. When the clock is set back by more than a couple of
// seconds (by hand, a time server, a second system keeping local time) the
// ticks go on from the new time, so reminders in the repeated stretch fire;
// none is shown twice in one run.
#pragma once

#include "reminders/reminder_day.h"

#include <QByteArray>
#include <QString>
#include <ctime>
#include <set>
#include <utility>
#include <vector>

namespace orlane {

struct AlertRequest {
  QString title;  // "Reminder active - 08:30:00" or "Missed Reminder - 2006-01-02 08:30:00"
  QByteArray note;
  QByteArray media;
  bool repeat = false;
  QString dayKey;
  QByteArray timeKey;
};

inline constexpr int kLateAlertSeconds = 60;
inline constexpr int kMissedScanDays = 8;
// A step back of the clock larger than this starts over from the new time;
// smaller ones (a correction of a tick) wait until the clock passes the last tick.
inline constexpr int kClockStepBackSeconds = 2;

class AlarmScheduler final {
 public:
  class Host {
   public:
    virtual ~Host() = default;
    // Shows the alert and returns when the user closed it.
    virtual void showAlert(const AlertRequest& alert) = 0;
    // The reminder's active marker is gone (the editor clears its check box).
    virtual void reminderFired(const QString& dayKey, const QByteArray& timeKey) { (void)dayKey, (void)timeKey; }
    // The date changed since the last tick: the window moves to the new day.
    virtual void dayChanged(const QString& newDayKey) { (void)newDayKey; }
  };

  explicit AlarmScheduler(Host& host) : host_(host) {}

  // Empties today's reminders and loads the day file of the current date.
  void loadTodayReminders();
  // The start-up scan: today's past reminders and those of the seven days
  // before, each shown once and then made inactive in its file. Ticks start
  // after its moment.
  void showMissedReminders();
  // One tick of the one-second timer.
  void checkDueReminders();

  const ReminderMap& todayReminders() const { return today_; }
  const QString& todayKey() const { return todayKey_; }

  // Milliseconds from nowMs to the start of the next second, for a timer that
  // keeps to the wall clock.
  static int MsUntilNextSecond(qint64 nowMs);

 private:
  struct Day {
    int year, month, day;
    QString key;
  };
  static Day DayOf(std::time_t t);
  static Day DayBefore(const Day& d, int days);

  // Fires the day's active reminders due in [from, to]; late ones as missed.
  void fireWindow(const Day& day, std::time_t from, std::time_t to);
  // Shows one reminder and clears its active marker in its day's file.
  void fire(const Day& day, const QByteArray& timeKey, const QByteArray& value, const QString& title);
  void clearActiveMarker(const Day& day, const QByteArray& timeKey);

  struct DueEntry {
    std::time_t due;
    QByteArray timeKey;
  };
  // The day's active reminders by due time.
  static std::vector<DueEntry> DueTimes(const Day& day, const ReminderMap& map);

  Host& host_;
  ReminderMap today_;
  std::vector<DueEntry> todayDue_;
  QString todayKey_;
  std::time_t lastTick_ = 0;
  bool started_ = false;
  std::set<std::pair<QString, QByteArray>> shown_;  // (day key, time key) shown this run
};

// The value with every active marker taken out of its head; the note is kept.
QByteArray WithoutActiveMarker(const QByteArray& value);

}  // namespace orlane
