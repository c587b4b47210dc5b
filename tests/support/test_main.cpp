// The shared main of every test program: a QApplication for widget tests
// (ORLANE_TEST_GUI), a QCoreApplication for the others, alive for all tests,
// and the tests' services.
#include "platform/services.h"

#include <gtest/gtest.h>

#ifdef ORLANE_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  // CTest sets these; a program started by hand gets the same, so results agree.
  setenv("TZ", ORLANE_TEST_TZ, 0);
  setenv("LC_ALL", "C.UTF-8", 0);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tzset();
  ::testing::InitGoogleTest(&argc, argv);
  TestApplication application(argc, argv);
  // The system clock, the desktop and ALSA until a test sets its own clock,
  // opener or devices (SetService, ScopedService, TestClock, SimulatedAudio);
  // no window is answered until a test says how, and nobody logs in.
  orlane::InstallServices({});
  return RUN_ALL_TESTS();
}
