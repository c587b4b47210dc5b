// A recurring reminder as one VEVENT of libical, the one mapping of a series
// that the recurring file and the calendar exchange share, and the pieces a
// reminder's event is made of: the program's X- properties, the note as a
// text value, the display alarm at the start, and properties of others kept
// as text.
#pragma once

#include "reminders/recurring_reminder.h"

#include <QByteArray>

#include <libical/ical.h>

namespace orlane {

inline constexpr char kIcalProductId[] = "-//Orlane//Orlane 2//EN";
inline constexpr char kIcalMedia[] = "X-ORLANE-MEDIA";
inline constexpr char kIcalActive[] = "X-ORLANE-ACTIVE";
inline constexpr char kIcalRepeat[] = "X-ORLANE-REPEAT";
inline constexpr char kIcalFired[] = "X-ORLANE-FIRED";
inline constexpr char kIcalFiredBefore[] = "X-ORLANE-FIRED-BEFORE";

// "\r\n" in notes, "\n" in the text values of a document.
QByteArray NoteToIcalText(QByteArray note);
QByteArray IcalTextToNote(QByteArray text);
// The note's first line as a text value.
QByteArray NoteFirstLine(const QByteArray& note);

// Whether the event is one this program reads as a series: one floating
// DTSTART with a time, one RRULE at most, no RDATE.
bool IsSeriesEvent(icalcomponent* event);
RecurringReminder ReadSeriesEvent(icalcomponent* event);
// A new event (the caller owns it) of the series, with the display alarm.
icalcomponent* NewSeriesEvent(const RecurringReminder& series);

// ACTION:DISPLAY with TRIGGER at the start: the alarm this program writes.
bool IsOwnAlarm(icalcomponent* alarm);
void AddOwnAlarm(icalcomponent* event, const QByteArray& text);
void AddXProperty(icalcomponent* into, const char* name, const QByteArray& value);
// A property or component kept as text goes back in as libical reads it; one
// that no longer reads is dropped rather than written broken.
void AddKeptIcalLine(icalcomponent* into, const QByteArray& line);
void AddKeptIcalBlock(icalcomponent* into, const QByteArray& block);

}  // namespace orlane
