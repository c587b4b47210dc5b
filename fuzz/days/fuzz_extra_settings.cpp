// Any bytes as the extra settings file: every value reads within its key's
// range, and what the reader holds serialises back to itself.
#include "days/extra_settings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::ExtraSettings settings = orlane::ExtraSettings::Parse(bytes);
  for (const orlane::ExtraSettingKey& key : orlane::ExtraSettingKeys()) {
    if (key.kind == orlane::ExtraSettingKind::Text) continue;
    const int value = settings.integer(key);
    if (value < key.minimum || value > key.maximum) std::abort();
  }
  if (!(orlane::ExtraSettings::Parse(settings.serialize()) == settings)) std::abort();
  if (settings.setInteger(QStringLiteral("snooze_minutes"), 30) && settings.integer(QStringLiteral("snooze_minutes")) != 30) std::abort();
  return 0;
}
