// Prints the occurrences of recurrence rules day by day, as the program
// expands them, for recurrence_vs_dateutil.py to compare with python-dateutil.
// Each input line: DTSTART RRULE EXDATE,...|- FROM TO (dates as yyyyMMdd).
// Each output line: the occurrences found on the days FROM..TO, as
// yyyyMMddTHHmmss separated by spaces. The rule goes through the recurring
// file first, so what is compared is what the file reads back.
#include "reminders/recurrence_expand.h"
#include "reminders/recurring_file.h"

#include <QDate>
#include <QTextStream>

#include <cstdio>

namespace {
QDate DateOf(const QString& text) {
  return QDate::fromString(text.left(8), QStringLiteral("yyyyMMdd"));
}

QString Expand(const QStringList& fields) {
  orlane::RecurringReminder series;
  series.uid = "probe@orlane";
  series.start = DateOf(fields[0]);
  const QString time = fields[0].mid(9, 6);
  series.timeKey = (time.mid(0, 2) + QLatin1Char(':') + time.mid(2, 2) + QLatin1Char(':') + time.mid(4, 2)).toLatin1();
  series.rrule = fields[1].toLatin1();
  if (fields[2] != QLatin1String("-"))
    for (const QString& d : fields[2].split(QLatin1Char(','))) series.skipped.insert(DateOf(d));
  orlane::RecurringSet set;
  set.series.push_back(series);
  orlane::RecurringSet read;
  if (orlane::ParseRecurringFile(orlane::SerializeRecurringFile(set), read) != orlane::RecurringLoadResult::Ok ||
      read.series.size() != 1)
    return QStringLiteral("unreadable");
  QStringList found;
  for (QDate day = DateOf(fields[3]); day <= DateOf(fields[4]); day = day.addDays(1))
    for (const orlane::Occurrence& o : orlane::OccurrencesOn(read.series[0], day))
      found << o.date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('T') +
                   QString::fromLatin1(o.timeKey).remove(QLatin1Char(':'));
  return found.join(QLatin1Char(' '));
}
}  // namespace

int main() {
  QTextStream in(stdin);
  QTextStream out(stdout);
  QString line;
  while (in.readLineInto(&line)) {
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    out << (fields.size() == 5 ? Expand(fields) : QStringLiteral("bad input")) << '\n';
  }
  return 0;
}
