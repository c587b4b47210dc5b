#include "reminders/reminder_value.h"

#include "platform/c_text.h"

namespace orlane {

namespace {
constexpr QByteArrayView kCrLf("\r\n");

// Removes every occurrence; true when there was exactly one.
bool TakeMarker(QByteArray& head, QByteArrayView marker) {
  const qsizetype count = head.count(marker);
  head.replace(marker, "");
  return count == 1;
}

int NumberAt(QByteArrayView key, qsizetype at) {
  if (at >= key.size()) return 0;
  return AtoiLike(key.sliced(at, std::min<qsizetype>(2, key.size() - at)));
}
}  // namespace

Reminder ParseReminderValue(QByteArrayView value) {
  Reminder r;
  const qsizetype crlf = value.indexOf(kCrLf);
  if (crlf < 0) return r;
  QByteArray head = value.first(crlf).toByteArray();
  r.note = value.sliced(crlf + 2).toByteArray();
  r.active = TakeMarker(head, kActiveMarker);
  r.repeat = TakeMarker(head, kRepeatMarker);
  r.media = head;
  return r;
}

bool IsActive(QByteArrayView value) {
  return ParseReminderValue(value).active;
}

QByteArray WithoutActiveMarker(const QByteArray& value) {
  const qsizetype crlf = value.indexOf(kCrLf);
  if (crlf < 0) return value;
  QByteArray head = value.left(crlf);
  head.replace(kActiveMarker, "");
  return head + value.mid(crlf);
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
