// Any text as a "m:s.ms" time for the recorder's TimeTextToBytes: it must end
// without overflow and give a value for every bytes-per-second rate.
#include "sound/recorder_math.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const std::uint32_t rate = data[0] | (data[1] << 8) | (data[2] << 16) | (std::uint32_t(data[3]) << 24);
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));
  const qint64 bytes = orlane::TimeTextToBytes(text, rate);
  (void)bytes;
  if (orlane::KeyStepBytes(rate) < 0) std::abort();
  return 0;
}
