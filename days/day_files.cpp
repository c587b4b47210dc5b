#include "days/day_files.h"

#include "platform/app_paths.h"
#include "platform/local_time.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>

namespace orlane {

QString MakeDayKey(int year, int month, int day) {
  return QString::asprintf("%04x%02x%02x", static_cast<unsigned>(year), static_cast<unsigned>(month),
                           static_cast<unsigned>(day));
}

QString DayKeyOf(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return MakeDayKey(d.year, d.month, d.day);
}

const char* DayFileExtension(DayFileKind kind) {
  switch (kind) {
    case DayFileKind::Diary: return ".dia";
    case DayFileKind::Reminders: return ".alm";
    case DayFileKind::Sound: return ".rec";
  }
  return "";
}

QString DayFilePath(const QString& dayKey, DayFileKind kind) {
  return UserFolder() + dayKey + QLatin1String(DayFileExtension(kind));
}

QString DayFilePath(int year, int month, int day, DayFileKind kind) {
  return DayFilePath(MakeDayKey(year, month, day), kind);
}

std::optional<CalendarDate> ParseIsoDate(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const CalendarDate d{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
  if (!QDate::isValid(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

QDate DayKeyDate(QStringView key) {
  const std::optional<CalendarDate> d = ParseDayKey(key);
  return d ? QDate(d->year, d->month, d->day) : QDate();
}

std::optional<CalendarDate> ParseDayKey(QStringView key) {
  if (key.size() != 8) return std::nullopt;
  for (const QChar c : key)
    if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
      return std::nullopt;
  const CalendarDate d{key.first(4).toInt(nullptr, 16), key.sliced(4, 2).toInt(nullptr, 16),
                       key.sliced(6, 2).toInt(nullptr, 16)};
  if (!QDate::isValid(d.year, d.month, d.day) || MakeDayKey(d.year, d.month, d.day) != key) return std::nullopt;
  return d;
}

std::time_t DayKeyTime(QStringView key, int hour, int minute, int second) {
  const std::optional<CalendarDate> d = ParseDayKey(key);
  return d ? MakeLocalTime(d->year, d->month, d->day, hour, minute, second) : static_cast<std::time_t>(-1);
}

QStringList DayKeysWithFile(DayFileKind kind, const QString& fromKey, const QString& toKey) {
  const QString extension = QLatin1String(DayFileExtension(kind));
  QStringList keys;
  for (const QString& name : QDir(UserFolder()).entryList({QLatin1Char('*') + extension}, QDir::Files, QDir::Name)) {
    const QString key = name.chopped(extension.size());
    if (key < fromKey || key > toKey || !ParseDayKey(key)) continue;
    keys << key;
  }
  return keys;
}

}  // namespace orlane
