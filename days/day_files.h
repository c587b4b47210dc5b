// Day keys and the names of the three day files. A day's key is "%04x%02x%02x"
// of year, month and day in lower-case hexadecimal, so keys compare as texts in
// date order; a day has a record of a kind exactly when its file exists.
#pragma once

#include "platform/app_paths.h"

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

// Parses "YYYY-MM-DD" (the command line's dates); nullopt unless it is a real date.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};
std::optional<CalendarDate> ParseIsoDate(const QString& text);

// The date a day key names; nullopt unless it is eight lower-case hexadecimal
// digits of a real date (the inverse of MakeDayKey).
std::optional<CalendarDate> ParseDayKey(const QString& key);

// The keys of the user folder's day files of one kind from fromKey to toKey
// (both inclusive), in date order. Names that are not a day key are left out.
QStringList DayKeysWithFile(DayFileKind kind, const QString& fromKey, const QString& toKey);

}  // namespace orlane
