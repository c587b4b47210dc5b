// The yearly holiday files ("Holidays_<year>.bin"): CR LF separated lines of
// "MM/DD" dates each followed by the holiday's name. This file finds them on
// disk, looks a day up in their text, and keeps each year's text in memory,
// reading it again only when the file changes on disk, so the calendar's 42
// lookups per redraw and the title line's lookup every second cost a stat.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <ctime>

namespace orlane {

// Holiday files are a few kilobytes; anything beyond this is not one.
inline constexpr qint64 kMaxHolidayFileBytes = qint64(1) << 20;

// "Holidays_2005.bin".
QString HolidayFileName(int year);

// Where a download is stored: the program folder when it can be written,
// else the writable data folder. ORLANE_HOLIDAY_DIR, when set, replaces both
// (and is then the only folder read as well).
QString HolidayDownloadFolder();
// The folders read, first match wins: the download folder, then the program
// data folders and the writable data folder.
QStringList HolidayLookupFolders();

// The name after the first occurrence of "MM/DD" in text: it starts after the
// next CR LF and ends at the CR LF after that, or at the end of the text.
// Empty when the date is absent or no name line follows it.
QString HolidayNameIn(QByteArrayView text, int month, int day);

// Bytes of a holiday file as text: UTF-8 when they are valid UTF-8, else the
// legacy single-byte code page (Latin-1).
QString DecodeHolidayText(QByteArrayView bytes);

// The holiday name of a local date, or an empty text.
QString GetHolidayText(int year, int month, int day);
QString GetHolidayText(std::time_t date);

// Forgets every cached year, so the next lookup reads the files again (after
// a download, or when a test changes the folders).
void ForgetHolidayFiles();

}  // namespace orlane
