// The settings file "Orlane.cfg": three decimal texts (theme, sample rate, bits
// per sample) and fourteen little-endian 32-bit integers, in one fixed order,
// nothing before and nothing after; 65 bytes with every default.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace orlane {

inline constexpr int kMinWindowWidth = 730;
inline constexpr int kMinWindowHeight = 500;
// No screen the program runs on is larger; a bigger stored size is not ours.
inline constexpr int kMaxWindowSide = 8192;
inline constexpr std::int32_t kModeReminder = 179;
inline constexpr std::int32_t kModeDiary = 180;
inline constexpr std::int32_t kModeSound = 181;
inline constexpr std::int32_t kWhite = 0x00FFFFFF;

// The seventeen values with the main window's defaults, in file order.
struct Settings {
  std::int32_t theme = 6;
  std::int32_t sampleRate = 8000;
  std::int32_t bitsPerSample = 8;
  std::int32_t windowWidth = kMinWindowWidth;
  std::int32_t windowHeight = kMinWindowHeight;
  std::int32_t lastMode = kModeReminder;
  std::int32_t diaryBackground = kWhite;  // 0x00BBGGRR
  std::int32_t calendarShown = 0;
  std::int32_t searchCase = 0;
  std::int32_t searchWholeWord = 0;
  std::int32_t hideAtStartup = 0;
  std::int32_t launchDeskleaf = 1;
  std::int32_t autorun = 0;
  std::int32_t loginOnShow = 0;
  std::int32_t checkUpdate = 1;
  std::int32_t dateFormat = 0;  // 0 mm-dd-yyyy, 1 dd-mm-yyyy, 2 yyyy-mm-dd
  std::int32_t weekStart = 1;   // 1 Sunday, 2 Monday

  bool operator==(const Settings&) const = default;
};

enum class SettingsReadResult {
  Ok,       // every field was read
  Missing,  // no file: the values keep what they held
  Damaged   // the file ended early: fields read so far kept, the rest reset
};

// Reads the file into settings, which hold the caller's defaults beforehand.
// Every value read is brought into its field's range (ClampSettingsValue), so
// a hostile file cannot hand the program a size or index it cannot use.
// A damaged file keeps what was read and then sets the diary background to
// white, the date format to 0, the week start to 1 and the last mode to 179.
SettingsReadResult ReadSettingsFile(const QString& path, Settings& settings);
SettingsReadResult ParseSettings(const QByteArray& bytes, Settings& settings);

QByteArray SerializeSettings(const Settings& settings);
// The old file stays when writing fails.
WriteResult WriteSettingsFile(const QString& path, const Settings& settings);

// What the window writes while another writer may have changed the file:
// disk, with every field the window changed since base taken from mine.
Settings MergeSettings(const Settings& base, const Settings& mine, const Settings& disk);

// Raises a window size below 730 x 500 to that minimum.
void ClampWindowSize(Settings& settings);

// The five values start-up needs before the main window exists, with start-up's
// own defaults (theme 1 when there is no file).
struct StartupSettings {
  std::int32_t theme = 1;
  std::int32_t hideAtStartup = 0;
  std::int32_t launchDeskleaf = 1;
  std::int32_t dateFormat = 0;
  std::int32_t weekStart = 1;
};
StartupSettings ReadStartupSettings(const QString& path);

// The settings by the names scripts use ("theme", "sample_rate", ...).
struct SettingsField {
  const char* name;
  std::int32_t Settings::*member;
};
inline constexpr int kSettingsFieldCount = 17;
const std::array<SettingsField, kSettingsFieldCount>& SettingsFields();
const SettingsField* FindSettingsField(const QString& name);
// The value brought into the field's range: sizes and the theme clamped, a
// sample rate or bit depth to the nearest one offered, an unknown mode, date
// format or week start to its default, a colour to its RGB bytes, a flag to 0/1.
std::int32_t ClampSettingsValue(const SettingsField& field, std::int32_t value);
// Whether value is one the program can hold for this field.
bool IsValidSettingsValue(const SettingsField& field, std::int64_t value);

}  // namespace orlane
