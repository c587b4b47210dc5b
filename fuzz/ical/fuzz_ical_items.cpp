// Any bytes as an iCalendar text (a file to import, a server's resource): the
// reader finishes without a fault, and every item it took is written as a
// calendar that reads back as one.
#include "fuzz/fuzz_gui.h"
#include "ical/ical_item.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  orlane::fuzz::StartOffscreenGui();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const orlane::IcalReadResult read = orlane::ReadIcalItems(text);
  for (const orlane::IcalItem& item : read.items)
    if (!orlane::ReadIcalItems(orlane::IcalItemText(item)).isCalendar) std::abort();
  return 0;
}
