// Any bytes as a server's multistatus answer: read it; what is read is whole.
#include "caldav/dav_xml.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const orlane::DavMultiStatus m = orlane::ParseMultiStatus(bytes);
  if (!m.ok && !m.responses.empty()) std::abort();
  for (const orlane::DavResource& r : m.responses) orlane::ParseStatusLine(r.href);
  return 0;
}
