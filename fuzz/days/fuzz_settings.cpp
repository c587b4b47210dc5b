// Any bytes as a settings file: the reader must stop safely and a file it read
// completely must serialise back to its first bytes.
#include "days/settings_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::Settings settings;
  if (orlane::ParseSettings(bytes, settings) == orlane::SettingsReadResult::Ok) {
    orlane::Settings again;
    if (orlane::ParseSettings(orlane::SerializeSettings(settings), again) != orlane::SettingsReadResult::Ok ||
        !(again == settings))
      std::abort();
  }
  return 0;
}
