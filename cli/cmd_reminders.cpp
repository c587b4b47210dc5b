#include "cli/commands.h"
#include "days/day_files.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/recurring_reminder.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_store.h"
#include "reminders/reminder_value.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orlane::cli {

namespace {
QString DayPath(const CalendarDate& d) {
  return DayFilePath(d.year, d.month, d.day, DayFileKind::Reminders);
}

// Loads the day for a change; a damaged file is refused, so writing it back
// can never drop the pairs behind the damage.
int LoadForChange(CliContext& context, ReminderStore& store, const CalendarDate& date) {
  const ReminderLoadResult r = store.loadResult(MakeDayKey(date.year, date.month, date.day));
  if (r == ReminderLoadResult::Damaged || r == ReminderLoadResult::Unreadable)
    return context.fail(kExitFileError, QStringLiteral("The reminder file ") + DayPath(date) +
                                            QStringLiteral(" is damaged or unreadable; it was not changed."));
  return kExitOk;
}

// The recurring file as LoadForChange treats a day file.
int LoadRecurringForChange(CliContext& context, ReminderStore& store) {
  const RecurringLoadResult r = store.recurringLoadResult();
  if (r == RecurringLoadResult::Damaged || r == RecurringLoadResult::Unreadable)
    return context.fail(kExitFileError, QStringLiteral("The recurring reminder file ") + RecurringFilePath() +
                                            QStringLiteral(" is damaged or unreadable; it was not changed."));
  return kExitOk;
}

int SaveRecurringChange(CliContext& context, ReminderStore& store) {
  if (store.saveRecurring().failed)
    return context.fail(kExitFileError, QStringLiteral("cannot write ") + RecurringFilePath());
  return kExitOk;
}

QDate Today() {
  const LocalDate d = LocalDateOf(NowSeconds());
  return {d.year, d.month, d.day};
}

int SaveChange(CliContext& context, ReminderStore& store, const CalendarDate& date) {
  const ReminderSaveResult saved = store.save(MakeDayKey(date.year, date.month, date.day));
  if (saved.failed) return context.fail(kExitFileError, QStringLiteral("cannot write ") + DayPath(date));
  return kExitOk;
}

QString NoteText(const QByteArray& note) {
  return QString::fromUtf8(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

int List(CliContext& context, const CalendarDate& date, bool json) {
  ReminderStore store;
  const QString dayKey = MakeDayKey(date.year, date.month, date.day);
  const ReminderLoadResult r = store.loadResult(dayKey);
  if (r == ReminderLoadResult::Unreadable)
    return context.fail(kExitFileError, QStringLiteral("cannot read ") + DayPath(date));
  const ReminderMap map = store.shownDay(dayKey);
  QJsonArray array;
  for (const auto& [key, value] : map) {
    const Reminder reminder = ParseReminderValue(value);
    const std::optional<RecurringReminder> series = store.occurrenceAt(dayKey, key);
    if (json) {
      array.append(QJsonObject{{QStringLiteral("time"), QString::fromUtf8(key)},
                               {QStringLiteral("active"), reminder.active},
                               {QStringLiteral("repeat"), reminder.repeat},
                               {QStringLiteral("media"), QString::fromUtf8(reminder.media)},
                               {QStringLiteral("note"), NoteText(reminder.note)},
                               {QStringLiteral("recurs"), series ? QJsonValue(QString::fromLatin1(series->rrule))
                                                                 : QJsonValue(QJsonValue::Null)}});
      continue;
    }
    QString note = NoteText(reminder.note);
    note.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    CliContext::print(QString::fromUtf8(key) + QLatin1Char('\t') +
                      (reminder.active ? QStringLiteral("active") : QStringLiteral("inactive")) + QLatin1Char('\t') +
                      (reminder.repeat ? QStringLiteral("repeat") : QStringLiteral("once")) + QLatin1Char('\t') +
                      (reminder.media.isEmpty() ? QStringLiteral("-") : QString::fromUtf8(reminder.media)) +
                      QLatin1Char('\t') + note +
                      (series ? QStringLiteral("\trecurs ") + QString::fromLatin1(series->rrule) : QString()));
  }
  if (json) CliContext::printRaw(QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n');
  if (r == ReminderLoadResult::Damaged)
    return context.fail(kExitFileError,
                        QStringLiteral("The reminder file is damaged; the reminders before the damage are listed."));
  return kExitOk;
}

int Add(CliContext& context, const CalendarDate& date, const QByteArray& time, const Reminder& reminder,
        const QByteArray& rrule) {
  ReminderStore store;
  const QString key = MakeDayKey(date.year, date.month, date.day);
  if (const int code = LoadForChange(context, store, date)) return code;
  if (const int code = LoadRecurringForChange(context, store)) return code;
  if (store.shownDay(key).count(time))
    return context.fail(kExitRefused,
                        QStringLiteral("Reminder ") + QString::fromLatin1(time) + QStringLiteral(" already exists."));
  if (!rrule.isEmpty()) {
    store.setSeries(NewSeries(QDate(date.year, date.month, date.day), time, rrule, reminder, Today()));
    if (!context.ensureUserFolder())
      return context.fail(kExitFileError, QStringLiteral("cannot write ") + RecurringFilePath());
    return SaveRecurringChange(context, store);
  }
  store.setReminder(key, time, BuildReminderValue(reminder));
  if (!context.ensureUserFolder()) return context.fail(kExitFileError, QStringLiteral("cannot write ") + DayPath(date));
  return SaveChange(context, store, date);
}

int Remove(CliContext& context, const CalendarDate& date, const QByteArray& time, bool series) {
  ReminderStore store;
  const QString key = MakeDayKey(date.year, date.month, date.day);
  if (const int code = LoadForChange(context, store, date)) return code;
  if (const std::optional<RecurringReminder> occurrence = store.occurrenceAt(key, time)) {
    if (const int code = LoadRecurringForChange(context, store)) return code;
    if (series)
      store.removeSeries(occurrence->uid);
    else
      store.skipOccurrence(key, time);
    return SaveRecurringChange(context, store);
  }
  if (store.day(key).count(time) == 0)
    return context.fail(kExitRefused,
                        QStringLiteral("Reminder ") + QString::fromLatin1(time) + QStringLiteral(" not found."));
  if (series)
    return context.fail(kExitRefused,
                        QStringLiteral("Reminder ") + QString::fromLatin1(time) + QStringLiteral(" does not recur."));
  store.removeReminder(key, time);
  return SaveChange(context, store, date);
}

constexpr char kUsage[] =
    "usage: orlanectl reminders list DATE [--json] | add DATE TIME [--note TEXT] [--media PATH | --beep] "
    "[--inactive] [--repeat] [--every day|weekday|week|month|year [--interval N] [--on mon,tue,...] "
    "[--until DATE | --count N]] | remove DATE TIME [--series]";

struct RecurOptions {
  std::optional<QString> every, interval, on, until, count;
  bool any() const { return every || interval || on || until || count; }
};

// The RRULE the options say (empty without --every); nullopt and a message when they say nothing sound.
std::optional<QByteArray> RuleOfOptions(CliContext& context, const RecurOptions& o, const CalendarDate& start) {
  if (!o.every) {
    if (o.any()) context.usage(QStringLiteral("--interval, --on, --until and --count go with --every"));
    return o.any() ? std::nullopt : std::optional<QByteArray>(QByteArray());
  }
  static const QStringList kinds = {QStringLiteral("day"), QStringLiteral("weekday"), QStringLiteral("week"),
                                    QStringLiteral("month"), QStringLiteral("year")};
  static const QStringList days = {QStringLiteral("mon"), QStringLiteral("tue"), QStringLiteral("wed"),
                                   QStringLiteral("thu"), QStringLiteral("fri"), QStringLiteral("sat"),
                                   QStringLiteral("sun")};
  const qsizetype kind = kinds.indexOf(o.every->toLower());
  if (kind < 0) {
    context.usage(QStringLiteral("not a recurrence: ") + *o.every);
    return std::nullopt;
  }
  RecurRule rule;
  rule.kind = static_cast<RecurKind>(kind + 1);
  const auto number = [&](const std::optional<QString>& text, int& into, int most, const char* what) {
    if (!text) return true;
    bool ok = false;
    into = text->toInt(&ok);
    if (ok && into >= 1 && into <= most) return true;
    context.usage(QStringLiteral("not %1: ").arg(QLatin1String(what)) + *text);
    return false;
  };
  if (!number(o.interval, rule.interval, 999, "an interval (1-999)") ||
      !number(o.count, rule.count, 100000, "a count (1-100000)"))
    return std::nullopt;
  if (o.until && o.count) {
    context.usage(QStringLiteral("--until and --count exclude each other"));
    return std::nullopt;
  }
  if (o.until) {
    const std::optional<CalendarDate> until = context.parseDate(*o.until);
    if (!until) return std::nullopt;
    rule.until = QDate(until->year, until->month, until->day);
    if (*rule.until < QDate(start.year, start.month, start.day)) {
      context.usage(QStringLiteral("--until lies before the first day"));
      return std::nullopt;
    }
  }
  if (o.on) {
    if (rule.kind != RecurKind::Weekly) {
      context.usage(QStringLiteral("--on goes with --every week"));
      return std::nullopt;
    }
    for (const QString& day : o.on->toLower().split(QLatin1Char(','))) {
      const qsizetype d = days.indexOf(day.trimmed());
      if (d < 0) {
        context.usage(QStringLiteral("not a weekday: ") + day);
        return std::nullopt;
      }
      rule.weekdays |= 1u << d;
    }
  }
  return BuildRRule(rule);
}
}  // namespace

int RunReminders(CliContext& context) {
  const bool json = context.takeFlag("json");
  const bool beep = context.takeFlag("beep");
  const bool inactive = context.takeFlag("inactive");
  const bool repeat = context.takeFlag("repeat");
  const bool series = context.takeFlag("series");
  std::optional<QString> note;
  std::optional<QString> media;
  RecurOptions recur;
  if (!context.takeOption("note", note) || !context.takeOption("media", media) ||
      !context.takeOption("every", recur.every) || !context.takeOption("interval", recur.interval) ||
      !context.takeOption("on", recur.on) || !context.takeOption("until", recur.until) ||
      !context.takeOption("count", recur.count))
    return kExitUsage;
  if (!context.rejectUnknownOptions()) return kExitUsage;

  const QString verb = context.arg(0);
  const bool adding = verb == QLatin1String("add");
  const bool listing = verb == QLatin1String("list");
  const qsizetype count = listing ? 2 : 3;
  if ((!adding && !listing && verb != QLatin1String("remove")) || context.args().size() != count ||
      (!adding && (note || media || beep || inactive || repeat || recur.any())) || (!listing && json) ||
      (beep && media) || (series && verb != QLatin1String("remove")))
    return context.usage(QLatin1String(kUsage));
  const std::optional<CalendarDate> date = context.parseDate(context.arg(1));
  if (!date) return kExitUsage;
  if (listing) return List(context, *date, json);
  if (!context.checkTime(context.arg(2))) return kExitUsage;
  const QByteArray time = context.arg(2).toLatin1();
  if (verb == QLatin1String("remove")) return Remove(context, *date, time, series);
  const std::optional<QByteArray> rrule = RuleOfOptions(context, recur, *date);
  if (!rrule) return kExitUsage;

  Reminder reminder;
  reminder.active = !inactive;
  reminder.repeat = repeat;
  if (beep) reminder.media = kBeepOnly;
  if (media) {
    const QFileInfo file(*media);
    // A reminder whose file is missing would fall silent when it is due.
    if (!file.isFile())
      return context.fail(kExitRefused, QStringLiteral("The media file does not exist: ") + file.absoluteFilePath());
    reminder.media = file.absoluteFilePath().toUtf8();
  }
  if (note) reminder.note = note->toUtf8().replace("\r\n", "\n").replace("\n", "\r\n");
  return Add(context, *date, time, reminder, *rrule);
}

}  // namespace orlane::cli
