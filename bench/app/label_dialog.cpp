// Beside the bare dialog: the same dialog showing one line of text, what any
// window with text pays at its start (the font configuration, the first font).
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Label dialog"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("One line of text"), &dialog));
  dialog.resize(730, 500);
  dialog.show();
  return app.exec();
}
