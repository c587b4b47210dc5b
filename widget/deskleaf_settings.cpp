#include "widget/deskleaf_settings.h"

#include "platform/archive.h"
#include "platform/file_io.h"

namespace orlane {

bool ParseDeskleafSettings(const QByteArray& bytes, DeskleafSettings& s) {
  ArchiveReader in(bytes);
  return in.readInt32(s.showCalendar) && in.readInt32(s.showClock) && in.readInt32(s.stayTopmost) &&
         in.readUInt8(s.opacity) && in.readInt32(s.left) && in.readInt32(s.top) && in.readInt32(s.right) &&
         in.readInt32(s.bottom) && in.readInt32(s.width) && in.readInt32(s.height) && in.readInt32(s.showReminders);
}

DeskleafSettings ReadDeskleafSettings(const QString& path) {
  DeskleafSettings s;
  QByteArray bytes;
  if (ReadFileBytes(path, bytes, 4096) == FileReadResult::Ok) ParseDeskleafSettings(bytes, s);
  return s;
}

QByteArray SerializeDeskleafSettings(const DeskleafSettings& s) {
  QByteArray out;
  ArchiveWriter w(out);
  w.writeInt32(s.showCalendar);
  w.writeInt32(s.showClock);
  w.writeInt32(s.stayTopmost);
  w.writeUInt8(s.opacity);
  for (std::int32_t v : {s.left, s.top, s.right, s.bottom, s.width, s.height, s.showReminders}) w.writeInt32(v);
  return out;
}

WriteResult WriteDeskleafSettings(const QString& path, const DeskleafSettings& s) {
  return AtomicWriteFile(path, SerializeDeskleafSettings(s));
}

DeskleafSettings SanitizedDeskleafSettings(DeskleafSettings s) {
  const DeskleafSettings defaults;
  for (std::int32_t* flag : {&s.showCalendar, &s.showClock, &s.stayTopmost, &s.showReminders})
    if (*flag != 0 && *flag != 1) *flag = 1;
  if (s.opacity < kDeskleafMinOpacity) s.opacity = defaults.opacity;
  const bool big = s.width == kDeskleafBigWidth && s.height == kDeskleafBigHeight;
  const bool small = s.width == kDeskleafSmallWidth && s.height == kDeskleafSmallHeight;
  if (!big && !small) {
    s.width = defaults.width;
    s.height = defaults.height;
  }
  return s;
}

}  // namespace orlane
