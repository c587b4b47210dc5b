#include "app/main_app.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  orlane::CMainApp program;
  return program.InitInstance();
}
