#include "days/settings_file.h"

#include "platform/archive.h"
#include "platform/c_text.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <limits>

namespace orlane {

namespace {
constexpr int kTextFieldCount = 3;
constexpr qint64 kSettingsReadLimit = 1 << 20;  // the file is 65 bytes; anything huge is not ours

void ResetAfterDamage(Settings& s) {
  s.diaryBackground = kWhite;
  s.dateFormat = 0;
  s.weekStart = 1;
  s.lastMode = kModeReminder;
}
}  // namespace

const std::array<SettingsField, kSettingsFieldCount>& SettingsFields() {
  static const std::array<SettingsField, kSettingsFieldCount> fields{{
      {"theme", &Settings::theme},
      {"sample_rate", &Settings::sampleRate},
      {"bits_per_sample", &Settings::bitsPerSample},
      {"window_width", &Settings::windowWidth},
      {"window_height", &Settings::windowHeight},
      {"last_mode", &Settings::lastMode},
      {"diary_background", &Settings::diaryBackground},
      {"calendar_shown", &Settings::calendarShown},
      {"search_case", &Settings::searchCase},
      {"search_whole_word", &Settings::searchWholeWord},
      {"hide_at_startup", &Settings::hideAtStartup},
      {"launch_deskleaf", &Settings::launchDeskleaf},
      {"autorun", &Settings::autorun},
      {"login_on_show", &Settings::loginOnShow},
      {"check_update", &Settings::checkUpdate},
      {"date_format", &Settings::dateFormat},
      {"week_start", &Settings::weekStart},
  }};
  return fields;
}

const SettingsField* FindSettingsField(const QString& name) {
  for (const SettingsField& f : SettingsFields())
    if (name == QLatin1String(f.name)) return &f;
  return nullptr;
}

namespace {
std::int32_t Nearest(std::int32_t v, std::initializer_list<std::int32_t> allowed) {
  std::int32_t best = *allowed.begin();
  for (const std::int32_t a : allowed)
    if (std::abs(std::int64_t(v) - a) < std::abs(std::int64_t(v) - best)) best = a;
  return best;
}
}  // namespace

std::int32_t ClampSettingsValue(const SettingsField& field, std::int32_t v) {
  const auto m = field.member;
  if (m == &Settings::theme) return std::clamp(v, 0, 9);
  if (m == &Settings::sampleRate) return Nearest(v, {8000, 11025, 22050, 44100});
  if (m == &Settings::bitsPerSample) return Nearest(v, {8, 16});
  if (m == &Settings::windowWidth || m == &Settings::windowHeight) return std::clamp(v, 0, kMaxWindowSide);
  if (m == &Settings::lastMode) return v >= kModeReminder && v <= kModeSound ? v : kModeReminder;
  if (m == &Settings::diaryBackground) return v & kWhite;
  if (m == &Settings::dateFormat) return v >= 0 && v <= 2 ? v : 0;
  if (m == &Settings::weekStart) return v == 2 ? 2 : 1;
  return v != 0 ? 1 : 0;
}

bool IsValidSettingsValue(const SettingsField& field, std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
  return ClampSettingsValue(field, static_cast<std::int32_t>(v)) == v;
}

SettingsReadResult ParseSettings(const QByteArray& bytes, Settings& s) {
  ArchiveReader in(bytes);
  const auto& fields = SettingsFields();
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    std::int32_t value = 0;
    bool ok = false;
    if (i < kTextFieldCount) {
      QByteArray text;
      ok = in.readString(text);
      value = AtoiLike(text);
    } else {
      ok = in.readInt32(value);
    }
    if (!ok) {
      ResetAfterDamage(s);
      return SettingsReadResult::Damaged;
    }
    s.*fields[static_cast<size_t>(i)].member = ClampSettingsValue(fields[static_cast<size_t>(i)], value);
  }
  return SettingsReadResult::Ok;
}

SettingsReadResult ReadSettingsFile(const QString& path, Settings& s) {
  QByteArray bytes;
  const FileReadResult r = ReadFileBytes(path, bytes, kSettingsReadLimit);
  if (r == FileReadResult::Missing || r == FileReadResult::Unreadable) return SettingsReadResult::Missing;
  if (r == FileReadResult::TooLarge) bytes.clear();  // read as an empty, damaged file
  return ParseSettings(bytes, s);
}

QByteArray SerializeSettings(const Settings& s) {
  QByteArray out;
  ArchiveWriter w(out);
  const auto& fields = SettingsFields();
  for (int i = 0; i < kSettingsFieldCount; ++i) {
    const std::int32_t value = s.*fields[static_cast<size_t>(i)].member;
    if (i < kTextFieldCount)
      w.writeString(DecimalText(value));
    else
      w.writeInt32(value);
  }
  return out;
}

WriteResult WriteSettingsFile(const QString& path, const Settings& s) {
  return AtomicWriteFile(path, SerializeSettings(s));
}

void ClampWindowSize(Settings& s) {
  s.windowWidth = std::max(s.windowWidth, static_cast<std::int32_t>(kMinWindowWidth));
  s.windowHeight = std::max(s.windowHeight, static_cast<std::int32_t>(kMinWindowHeight));
}

StartupSettings ReadStartupSettings(const QString& path) {
  const StartupSettings defaults;
  Settings s;
  s.theme = defaults.theme;
  s.hideAtStartup = defaults.hideAtStartup;
  s.launchDeskleaf = defaults.launchDeskleaf;
  s.dateFormat = defaults.dateFormat;
  s.weekStart = defaults.weekStart;
  ReadSettingsFile(path, s);
  return {s.theme, s.hideAtStartup, s.launchDeskleaf, s.dateFormat, s.weekStart};
}

Settings MergeSettings(const Settings& base, const Settings& mine, const Settings& disk) {
  Settings merged = disk;
  for (const SettingsField& f : SettingsFields())
    if (mine.*f.member != base.*f.member) merged.*f.member = mine.*f.member;
  return merged;
}

}  // namespace orlane
