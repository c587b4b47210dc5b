// The desk widget's own settings file "Deskleaf.cfg": 41 bytes, field by
// field, little-endian, no header, not scrambled. A short file keeps the
// defaults for what it lacks.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace orlane {

inline constexpr int kDeskleafSettingsSize = 41;
inline constexpr int kDeskleafBigWidth = 351;
inline constexpr int kDeskleafBigHeight = 230;
inline constexpr int kDeskleafSmallWidth = 252;
inline constexpr int kDeskleafSmallHeight = 150;
inline constexpr int kDeskleafMinOpacity = 85;

struct DeskleafSettings {
  std::int32_t showCalendar = 1;
  std::int32_t showClock = 1;
  std::int32_t stayTopmost = 1;
  std::uint8_t opacity = 195;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // screen rectangle of the window
  std::int32_t width = kDeskleafBigWidth;
  std::int32_t height = kDeskleafBigHeight;
  std::int32_t showReminders = 1;

  bool operator==(const DeskleafSettings&) const = default;
};

// Reads the fields in order over the defaults; false when the file was
// missing or ended early.
bool ParseDeskleafSettings(const QByteArray& bytes, DeskleafSettings& settings);
DeskleafSettings ReadDeskleafSettings(const QString& path);
QByteArray SerializeDeskleafSettings(const DeskleafSettings& settings);
WriteResult WriteDeskleafSettings(const QString& path, const DeskleafSettings& settings);

// Values the widget can use: the flags 0 or 1, an opacity of at least 85, one
// of the two sizes. A file from elsewhere must not make the widget vanish or
// fill the screen.
DeskleafSettings SanitizedDeskleafSettings(DeskleafSettings settings);

}  // namespace orlane
