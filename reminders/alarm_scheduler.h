// Fires the reminders of the current day at their second and reports, once,
// those that fell due while the program was not running. Pure logic: the time
// comes from the program clock, the reminders from the ReminderStore (with the
// edits not yet saved), and due reminders go to the Host, which shows them
// when it can and says when one was closed (alertClosed); only then does the
// reminder lose its active marker, through the store.
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
#include <QObject>
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

class ReminderStore;

// Whether a reminder due at due is skipped at now under late-cancel hours (0: never).
inline bool IsPastLateCancel(std::time_t due, std::time_t now, int hours) {
  return hours > 0 && now - due > static_cast<std::time_t>(hours) * 3600;
}

class AlarmScheduler final : public QObject {
  Q_OBJECT

 public:
  class Host {
   public:
    virtual ~Host() = default;
    // A reminder is due: shown when the host can, without waiting for it.
    virtual void showAlert(const AlertRequest& alert) = 0;
    // The date changed since the last tick: the window moves to the new day.
    virtual void dayChanged(const QString& newDayKey) { (void)newDayKey; }
    // Reminders more than the late-cancel hours late were made inactive unshown.
    virtual void remindersSkipped(int count, int hours) {
      (void)count;
      (void)hours;
    }
  };

  AlarmScheduler(Host& host, ReminderStore& store);

  // Follows the day of the current date in the store.
  void loadTodayReminders();
  // The user closed the alert: the reminder is fired.
  void alertClosed(const AlertRequest& alert);
  // The start-up scan: today's past reminders and those of the seven days
  // before, each shown once and then made inactive in its file. Ticks start
  // after its moment.
  void showMissedReminders();
  // One tick of the one-second timer.
  void checkDueReminders();
  // Reminders more than this many hours late (at start-up, after the computer
  // slept) are marked fired without an alert; 0 shows every one.
  void setLateCancelHours(int hours) { lateCancelHours_ = hours; }

  // Today's one-off reminders and occurrences.
  ReminderMap todayReminders() const;
  const QString& todayKey() const { return todayKey_; }

 private:
  struct Day {
    int year, month, day;
    QString key;
  };
  static Day DayOf(std::time_t t);
  static Day DayBefore(const Day& d, int days);

  // Fires the day's active reminders due in [from, to]; late ones as missed.
  void fireWindow(const Day& day, std::time_t from, std::time_t to);
  // Hands one reminder to the host.
  void fire(const Day& day, const QByteArray& timeKey, const QByteArray& value, const QString& title);
  void followStore(const QString& dayKey);
  void reportSkipped();

  struct DueEntry {
    std::time_t due;
    QByteArray timeKey;
  };
  // The day's active reminders by due time.
  static std::vector<DueEntry> DueTimes(const Day& day, const ReminderMap& map);

  Host& host_;
  ReminderStore& store_;
  std::vector<DueEntry> todayDue_;
  QString todayKey_;
  std::time_t lastTick_ = 0;
  bool started_ = false;
  int lateCancelHours_ = 0;
  int skipped_ = 0;                                 // late-cancelled since the last report
  std::set<std::pair<QString, QByteArray>> shown_;  // (day key, time key) shown this run
};

}  // namespace orlane
