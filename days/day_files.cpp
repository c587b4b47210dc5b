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

std::optional<CalendarDate> ParseDayKey(const QString& key) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9a-f]{4})([0-9a-f]{2})([0-9a-f]{2})$"));
  const QRegularExpressionMatch m = pattern.match(key);
  if (!m.hasMatch()) return std::nullopt;
  const CalendarDate d{m.captured(1).toInt(nullptr, 16), m.captured(2).toInt(nullptr, 16),
                       m.captured(3).toInt(nullptr, 16)};
  if (!QDate::isValid(d.year, d.month, d.day)) return std::nullopt;
  return d;
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
