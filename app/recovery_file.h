// The recovery copy of the shown day's unsaved edits ("recovery.dat" in the
// user folder): what a crash or a kill would otherwise take. Kept like a diary
// page, behind the password header and scrambled; the body is the archive
// encoding of a tag, the day key, the diary page when edited and the
// reminders when changed.
#pragma once

#include "reminders/reminder_day.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace orlane {

inline constexpr char kRecoveryFileName[] = "recovery.dat";

struct RecoveryState {
  QString dayKey;
  std::optional<QByteArray> diaryRtf;    // the edited page, when it was edited
  std::optional<ReminderMap> reminders;  // the day's reminders, when they changed
  bool empty() const { return !diaryRtf && !reminders; }
};

QByteArray SerializeRecovery(const RecoveryState& state, const QByteArray& password);
// Nothing for another password's copy, or bytes that are not a whole record.
std::optional<RecoveryState> ParseRecovery(const QByteArray& fileBytes, const QByteArray& password);

// The copy of the user folder under the current password, if any.
std::optional<RecoveryState> ReadRecoveryFile(const QByteArray& password);
// Written atomically, or Failed.
WriteResult WriteRecoveryFile(const RecoveryState& state, const QByteArray& password);
void RemoveRecoveryFile();

}  // namespace orlane
