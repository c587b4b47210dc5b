// The shared main of every test program: a QApplication for widget tests
// (ORLANE_TEST_GUI), a QCoreApplication for the others, alive for all tests.
#include <gtest/gtest.h>

#ifdef ORLANE_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TestApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
