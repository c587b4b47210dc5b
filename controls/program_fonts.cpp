#include "controls/program_fonts.h"

#include <QFile>
#include <QFontDatabase>

#include <algorithm>
#include <cstdlib>

namespace orlane {

void LoadProgramFonts() {
  static const bool loaded = [] {
    for (const char* path : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
      // Registered from memory: adding by file name makes fontconfig write a
      // cache under a lock that a killed process would leave behind.
      QFile file(QString::fromLatin1(path));
      if (file.open(QIODevice::ReadOnly)) QFontDatabase::addApplicationFontFromData(file.readAll());
    }
    return true;
  }();
  (void)loaded;
}

QFont GdiFont(const QString& face, int height, int weight) {
  LoadProgramFonts();
  QFont font(face);
  font.setPixelSize(std::max(1, std::abs(height)));
  font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont DialogFont() {
  return GdiFont(QStringLiteral("Tahoma"), -12, 400);
}
QFont DialogBoldFont() {
  return GdiFont(QStringLiteral("Tahoma"), -13, 700);
}
QFont TitleFont() {
  return GdiFont(QStringLiteral("Verdana"), -13, 700);
}

}  // namespace orlane
