// Feeds arbitrary bytes to the bitmap file header reader: it must refuse or
// accept without reading outside the buffer, and what it accepts must fit.
#include "controls/dib_header.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const orlane::DibParseResult r = orlane::ParseDibFile({data, size});
  if (r.info) {
    if (r.info->bitsOffset + orlane::kBitmapFileHeaderSize > size) std::abort();
    if (r.info->palette.size() > 256) std::abort();
  }
  return 0;
}
