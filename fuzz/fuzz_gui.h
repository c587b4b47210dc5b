// The offscreen QGuiApplication of the fuzz targets whose code lays out text
// (QTextDocument), started once from LLVMFuzzerInitialize.
#pragma once

#include <QGuiApplication>

namespace orlane::fuzz {

inline void StartOffscreenGui() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // QGuiApplication keeps a reference to its argument count, so both live as
  // long as the process.
  static int argc = 1;
  static char name[] = "orlane_fuzz";
  static char* argv[] = {name, nullptr};
  // Deliberately never destroyed: libFuzzer leaves through exit(), after
  // Qt's own globals are gone, and the destructor would then fault.
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace orlane::fuzz
