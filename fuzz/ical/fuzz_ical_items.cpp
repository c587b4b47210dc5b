// Any bytes as an iCalendar text (a file to import, a server's resource): the
// reader finishes without a fault, and every item it took is written as a
// calendar that reads back as one.
#include "ical/ical_item.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {
// QGuiApplication keeps a reference to its argument count, so both live as
// long as the process.
int g_argc = 1;
char g_name[] = "fuzz_ical_items";
char* g_argv[] = {g_name, nullptr};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Deliberately never destroyed: libFuzzer leaves through exit(), after
  // Qt's own globals are gone, and the destructor would then fault.
  static QGuiApplication* application = new QGuiApplication(g_argc, g_argv);
  (void)application;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const orlane::IcalReadResult read = orlane::ReadIcalItems(text);
  for (const orlane::IcalItem& item : read.items)
    if (!orlane::ReadIcalItems(orlane::IcalItemText(item)).isCalendar) std::abort();
  return 0;
}
