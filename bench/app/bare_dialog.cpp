// The baseline of the start-up benchmark: the least a Qt Widgets program does
// to put a dialog of the main window's size on the screen.
#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare dialog"));
  dialog.resize(730, 500);
  dialog.show();
  return app.exec();
}
