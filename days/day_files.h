// Day keys and the names of the three day files. A day's key is "%04x%02x%02x"
// of year, month and day in lower-case hexadecimal, so keys compare as texts in
// date order; a day has a record of a kind exactly when its file exists.
#pragma once

#include "platform/app_paths.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <ctime>
#include <optional>

namespace orlane {

enum class DayFileKind { Diary, Reminders, Sound };

QString MakeDayKey(int year, int month, int day);
// The key of the local date that holds t.
QString DayKeyOf(std::time_t t);

// ".dia", ".alm" or ".rec".
const char* DayFileExtension(DayFileKind kind);

// User folder + key + extension.
QString DayFilePath(const QString& dayKey, DayFileKind kind);
QString DayFilePath(int year, int month, int day, DayFileKind kind);

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate&) const = default;
};
// Parses "YYYY-MM-DD" (the command line's dates); nullopt unless it is a real date.
std::optional<CalendarDate> ParseIsoDate(const QString& text);
// The date of a day key as MakeDayKey writes it; nullopt for any other text.
std::optional<CalendarDate> ParseDayKey(QStringView key);
// The same as a QDate; an invalid one for any other text.
QDate DayKeyDate(QStringView key);
// The local time of that day at h:m:s (mktime rules), or -1 for a key that is not a day's.
std::time_t DayKeyTime(QStringView key, int hour, int minute, int second);

// The keys of the user folder's day files of one kind from fromKey to toKey
// (both inclusive), in date order. Names that are not a day key are left out.
QStringList DayKeysWithFile(DayFileKind kind, const QString& fromKey, const QString& toKey);

}  // namespace orlane
