// The reminders of one day and their day file "<daykey>.alm": a count, then
// time key and value strings, every byte scrambled. Written in time-key order so
// files are deterministic; read in memory, never rewritten by reading.
#pragma once

#include "platform/archive.h"
#include "platform/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

namespace orlane {

// Time key -> reminder value; iteration is in time order.
using ReminderMap = std::map<QByteArray, QByteArray>;

enum class ReminderLoadResult {
  Ok,
  Missing,     // no file: the day has no reminders
  Unreadable,  // the file is there but cannot be read (or is absurdly large)
  Damaged      // the pairs before the damage were loaded; the file is left alone
};

// The pairs of an unscrambled day in file order, read in place, one at a
// time: the reading rule ParseReminderDay builds its map by. A key that the
// file holds twice comes twice here; the map keeps its last value.
class ReminderDayReader final {
 public:
  explicit ReminderDayReader(QByteArrayView plainBytes);
  // The next pair; false after the last one or at damage. The views stay
  // valid while the reader and the bytes do.
  bool next(QByteArrayView& key, QByteArrayView& value);
  // Damaged once a read failed: the pairs before the damage were given.
  ReminderLoadResult result() const { return damaged_ ? ReminderLoadResult::Damaged : ReminderLoadResult::Ok; }

 private:
  bool read(QByteArrayView& out);

  ArchiveReader in_;
  std::uint32_t left_ = 0;
  bool damaged_ = false;
  std::vector<QByteArray> converted_;  // UTF-16 tagged strings, as UTF-8
};

// Inserts the day's pairs into map with replace semantics; emptying the map
// first is the caller's choice.
ReminderLoadResult LoadReminderDay(const QString& path, ReminderMap& map);
ReminderLoadResult ParseReminderDay(const QByteArray& plainBytes, ReminderMap& map);
// The unscrambled bytes of a day file (empty unless Ok), for a reader.
ReminderLoadResult ReadReminderDay(const QString& path, QByteArray& plainBytes);

// An empty map deletes the file (read-only or not); otherwise the scrambled
// content replaces the file atomically. Failed when it could not be written
// (the old file stays).
WriteResult SaveReminderDay(const QString& path, const ReminderMap& map);
QByteArray SerializeReminderDay(const ReminderMap& map);

}  // namespace orlane
