// One reminder: its time key ("HH:mm:ss", the map key) and its value, which
// carries the media reference, the active and repeat markers and the note:
// head (media + markers) CR LF note.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace orlane {

inline constexpr char kActiveMarker[] = "<Alarm is active>";
inline constexpr char kRepeatMarker[] = "<Alarm is repeat>";
inline constexpr char kBeepOnly[] = "Beep Only";

enum class MediaKind { None, Beep, Flash, MediaFile };

struct Reminder {
  QByteArray media;  // empty, "Beep Only" or a full path
  bool active = false;
  bool repeat = false;
  QByteArray note;  // may hold CR LF line breaks

  bool operator==(const Reminder&) const = default;
};

// Every reader parses alike: no CR LF means empty head and note; each marker
// counts only when it occurs exactly once, and every occurrence is removed.
Reminder ParseReminderValue(QByteArrayView value);
// Head and note either side of the first CR LF, in place; nullopt without one.
struct ReminderValueParts {
  QByteArrayView head;
  QByteArrayView note;
};
std::optional<ReminderValueParts> SplitReminderValue(QByteArrayView value);
// Whether the reminder fires: the parsing rule above, the one test every reader uses.
bool IsActive(QByteArrayView value);
// The value with every active marker taken out of its head; the note is kept.
QByteArray WithoutActiveMarker(const QByteArray& value);
// media + active marker + repeat marker + CR LF + note.
QByteArray BuildReminderValue(const Reminder& reminder);

// "Beep Only" exactly is the beep; a path ending in ".swf" in any case is a
// Flash movie; any other non-empty text is a media file.
MediaKind MediaKindOf(QByteArrayView media);

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};
// Hour, minute and second from characters 0-1, 3-4 and 6-7, each by atoi rules;
// a key of another shape is not rejected, it just yields such numbers.
TimeOfDay TimeKeyNumbers(QByteArrayView key);
// Seconds since midnight of those numbers.
int TimeKeySeconds(QByteArrayView key);
// "HH:mm:ss" of the numbers.
QByteArray MakeTimeKey(int hour, int minute, int second);
// A key as the editor writes it: exactly 8 characters, 00-23:00-59:00-59.
bool IsWellFormedTimeKey(QByteArrayView key);

}  // namespace orlane
