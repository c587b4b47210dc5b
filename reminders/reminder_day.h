// The reminders of one day and their day file "<daykey>.alm": a count, then
// time key and value strings, every byte scrambled. Written in time-key order so
// files are deterministic; read in memory, never rewritten by reading.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QString>
#include <map>

namespace orlane {

// Time key -> reminder value; iteration is in time order.
using ReminderMap = std::map<QByteArray, QByteArray>;

enum class ReminderLoadResult {
  Ok,
  Missing,     // no file: the day has no reminders
  Unreadable,  // the file is there but cannot be read (or is absurdly large)
  Damaged      // the pairs before the damage were loaded; the file is left alone
};

// Inserts the day's pairs into map with replace semantics; emptying the map
// first is the caller's choice.
ReminderLoadResult LoadReminderDay(const QString& path, ReminderMap& map);
ReminderLoadResult ParseReminderDay(const QByteArray& plainBytes, ReminderMap& map);

// An empty map deletes the file (read-only or not); otherwise the scrambled
// content replaces the file atomically. Failed when it could not be written
// (the old file stays).
WriteResult SaveReminderDay(const QString& path, const ReminderMap& map);
QByteArray SerializeReminderDay(const ReminderMap& map);

}  // namespace orlane
