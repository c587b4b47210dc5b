#include "app/settings_file.h"

#include "platform/archive.h"
#include "platform/c_text.h"
#include "platform/file_io.h"

#include <algorithm>

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

bool IsValidSettingsValue(const SettingsField& field, std::int64_t v) {
  const auto m = field.member;
  if (m == &Settings::theme) return v >= 0 && v <= 9;
  if (m == &Settings::sampleRate) return v == 8000 || v == 11025 || v == 22050 || v == 44100;
  if (m == &Settings::bitsPerSample) return v == 8 || v == 16;
  if (m == &Settings::windowWidth || m == &Settings::windowHeight) return v >= 0 && v <= 100000;
  if (m == &Settings::lastMode) return v >= kModeReminder && v <= kModeSound;
  if (m == &Settings::diaryBackground) return v >= 0 && v <= 0x00FFFFFF;
  if (m == &Settings::dateFormat) return v >= 0 && v <= 2;
  if (m == &Settings::weekStart) return v == 1 || v == 2;
  return v == 0 || v == 1;
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
    s.*fields[static_cast<size_t>(i)].member = value;
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

int WriteSettingsFile(const QString& path, const Settings& s) { return AtomicWriteFile(path, SerializeSettings(s)); }

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

}  // namespace orlane
