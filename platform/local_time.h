// Local-time helpers over the C library: mktime with the daylight flag left to
// the library, and strftime that understands the Windows-only codes stored in
// the program's formats ("%#x" long date, "%#d" day without leading zero, "%z"
// the zone's name).
#pragma once

#include <QString>
#include <ctime>

namespace orlane {

struct LocalDate {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
};

// mktime of the local time with tm_isdst = -1; fields out of range are
// normalised as mktime does (day 0 is the last day of the previous month).
std::time_t MakeLocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

std::tm LocalTm(std::time_t t);
LocalDate LocalDateOf(std::time_t t);

// Midnight at the start of the local day that holds t.
std::time_t StartOfLocalDay(std::time_t t);

// strftime of t in local time, with the Windows codes translated first.
QString FormatLocalTime(const char* format, std::time_t t);

// The translation alone, for formats that are passed on to strftime.
QByteArray TranslateWindowsTimeFormat(const char* format, std::time_t t);

}  // namespace orlane
