#include "cli/commands.h"
#include "days/day_files.h"
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
  const ReminderMap& map = store.day(dayKey);
  const ReminderLoadResult r = store.loadResult(dayKey);
  if (r == ReminderLoadResult::Unreadable)
    return context.fail(kExitFileError, QStringLiteral("cannot read ") + DayPath(date));
  QJsonArray array;
  for (const auto& [key, value] : map) {
    const Reminder reminder = ParseReminderValue(value);
    if (json) {
      array.append(QJsonObject{{QStringLiteral("time"), QString::fromUtf8(key)},
                               {QStringLiteral("active"), reminder.active},
                               {QStringLiteral("repeat"), reminder.repeat},
                               {QStringLiteral("media"), QString::fromUtf8(reminder.media)},
                               {QStringLiteral("note"), NoteText(reminder.note)}});
      continue;
    }
    QString note = NoteText(reminder.note);
    note.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    CliContext::print(QString::fromUtf8(key) + QLatin1Char('\t') +
                      (reminder.active ? QStringLiteral("active") : QStringLiteral("inactive")) + QLatin1Char('\t') +
                      (reminder.repeat ? QStringLiteral("repeat") : QStringLiteral("once")) + QLatin1Char('\t') +
                      (reminder.media.isEmpty() ? QStringLiteral("-") : QString::fromUtf8(reminder.media)) +
                      QLatin1Char('\t') + note);
  }
  if (json) CliContext::printRaw(QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n');
  if (r == ReminderLoadResult::Damaged)
    return context.fail(kExitFileError,
                        QStringLiteral("The reminder file is damaged; the reminders before the damage are listed."));
  return kExitOk;
}

int Add(CliContext& context, const CalendarDate& date, const QByteArray& time, const Reminder& reminder) {
  ReminderStore store;
  const QString key = MakeDayKey(date.year, date.month, date.day);
  if (const int code = LoadForChange(context, store, date)) return code;
  if (store.day(key).count(time))
    return context.fail(kExitRefused,
                        QStringLiteral("Reminder ") + QString::fromLatin1(time) + QStringLiteral(" already exists."));
  store.setReminder(key, time, BuildReminderValue(reminder));
  if (!context.ensureUserFolder()) return context.fail(kExitFileError, QStringLiteral("cannot write ") + DayPath(date));
  return SaveChange(context, store, date);
}

int Remove(CliContext& context, const CalendarDate& date, const QByteArray& time) {
  ReminderStore store;
  const QString key = MakeDayKey(date.year, date.month, date.day);
  if (const int code = LoadForChange(context, store, date)) return code;
  if (store.day(key).count(time) == 0)
    return context.fail(kExitRefused,
                        QStringLiteral("Reminder ") + QString::fromLatin1(time) + QStringLiteral(" not found."));
  store.removeReminder(key, time);
  return SaveChange(context, store, date);
}

constexpr char kUsage[] =
    "usage: orlanectl reminders list DATE [--json] | add DATE TIME [--note TEXT] [--media PATH | --beep] "
    "[--inactive] [--repeat] | remove DATE TIME";
}  // namespace

int RunReminders(CliContext& context) {
  const bool json = context.takeFlag("json");
  const bool beep = context.takeFlag("beep");
  const bool inactive = context.takeFlag("inactive");
  const bool repeat = context.takeFlag("repeat");
  std::optional<QString> note;
  std::optional<QString> media;
  if (!context.takeOption("note", note) || !context.takeOption("media", media)) return kExitUsage;
  if (!context.rejectUnknownOptions()) return kExitUsage;

  const QString verb = context.arg(0);
  const bool adding = verb == QLatin1String("add");
  const bool listing = verb == QLatin1String("list");
  const qsizetype count = listing ? 2 : 3;
  if ((!adding && !listing && verb != QLatin1String("remove")) || context.args().size() != count ||
      (!adding && (note || media || beep || inactive || repeat)) || (!listing && json) || (beep && media))
    return context.usage(QLatin1String(kUsage));
  const std::optional<CalendarDate> date = context.parseDate(context.arg(1));
  if (!date) return kExitUsage;
  if (listing) return List(context, *date, json);
  if (!context.checkTime(context.arg(2))) return kExitUsage;
  const QByteArray time = context.arg(2).toLatin1();
  if (verb == QLatin1String("remove")) return Remove(context, *date, time);

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
  return Add(context, *date, time, reminder);
}

}  // namespace orlane::cli
