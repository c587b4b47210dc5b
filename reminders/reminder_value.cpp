#include "reminders/reminder_value.h"

#include "platform/c_text.h"

#include <string_view>

namespace orlane {

namespace {
constexpr QByteArrayView kCrLf("\r\n");

bool HasMarkerOnce(QByteArrayView head, QByteArrayView marker) {
  return head.count(marker) == 1;
}

// Removes every occurrence; true when there was exactly one.
bool TakeMarker(QByteArray& head, QByteArrayView marker) {
  const bool once = HasMarkerOnce(head, marker);
  head.replace(marker, "");
  return once;
}

int NumberAt(QByteArrayView key, qsizetype at) {
  if (at >= key.size()) return 0;
  return AtoiLike(key.sliced(at, std::min<qsizetype>(2, key.size() - at)));
}
}  // namespace

std::optional<ReminderValueParts> SplitReminderValue(QByteArrayView value) {
  // The standard search looks for the first byte with memchr, faster than
  // Qt's for a head of a few bytes.
  const std::size_t crlf = std::string_view(value.data(), value.size()).find("\r\n");
  if (crlf == std::string_view::npos) return std::nullopt;
  const auto at = static_cast<qsizetype>(crlf);
  return ReminderValueParts{value.first(at), value.sliced(at + kCrLf.size())};
}

Reminder ParseReminderValue(QByteArrayView value) {
  Reminder r;
  const std::optional<ReminderValueParts> parts = SplitReminderValue(value);
  if (!parts) return r;
  QByteArray head = parts->head.toByteArray();
  r.note = parts->note.toByteArray();
  r.active = TakeMarker(head, kActiveMarker);
  r.repeat = TakeMarker(head, kRepeatMarker);
  r.media = head;
  return r;
}

bool IsActive(QByteArrayView value) {
  // The active marker is taken first, so the other marker cannot change it.
  const std::optional<ReminderValueParts> parts = SplitReminderValue(value);
  return parts && HasMarkerOnce(parts->head, kActiveMarker);
}

QByteArray WithoutActiveMarker(const QByteArray& value) {
  const std::optional<ReminderValueParts> parts = SplitReminderValue(value);
  if (!parts) return value;
  QByteArray head = parts->head.toByteArray();
  head.replace(kActiveMarker, "");
  return head + value.mid(parts->head.size());
}

QByteArray BuildReminderValue(const Reminder& r) {
  QByteArray value = r.media;
  if (r.active) value += kActiveMarker;
  if (r.repeat) value += kRepeatMarker;
  value += kCrLf;
  value += r.note;
  return value;
}

MediaKind MediaKindOf(QByteArrayView media) {
  if (media.isEmpty()) return MediaKind::None;
  if (media == QByteArrayView(kBeepOnly)) return MediaKind::Beep;
  if (media.size() >= 4 && media.last(4).compare(QByteArrayView(".swf"), Qt::CaseInsensitive) == 0)
    return MediaKind::Flash;
  return MediaKind::MediaFile;
}

TimeOfDay TimeKeyNumbers(QByteArrayView key) {
  return {NumberAt(key, 0), NumberAt(key, 3), NumberAt(key, 6)};
}

int TimeKeySeconds(QByteArrayView key) {
  const TimeOfDay t = TimeKeyNumbers(key);
  return t.hour * 3600 + t.minute * 60 + t.second;
}

QByteArray MakeTimeKey(int hour, int minute, int second) {
  return QByteArray::number(hour).rightJustified(2, '0') + ':' + QByteArray::number(minute).rightJustified(2, '0') +
         ':' + QByteArray::number(second).rightJustified(2, '0');
}

bool IsWellFormedTimeKey(QByteArrayView key) {
  if (key.size() != 8 || key[2] != ':' || key[5] != ':') return false;
  for (qsizetype i : {0, 1, 3, 4, 6, 7})
    if (key[i] < '0' || key[i] > '9') return false;
  const TimeOfDay t = TimeKeyNumbers(key);
  return t.hour < 24 && t.minute < 60 && t.second < 60;
}

}  // namespace orlane
