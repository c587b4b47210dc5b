#include "controls/swf_header.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const orlane::SwfHeader h =
      orlane::ParseSwfHeader(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (h.ok() && (h.frameCount < 0 || h.frameCount > 65535)) __builtin_trap();
  return 0;
}
