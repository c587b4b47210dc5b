#include "controls/program_fonts.h"

#include <QFile>
#include <QFontDatabase>

#include <algorithm>
#include <cstdlib>

namespace orlane {

void LoadProgramFonts() {
  static const bool loaded = [] {
    // Only the regular face: fonts-wine's "Tahoma Bold" (tahomabd.ttf) draws
    // the regular glyphs, so with it registered every bold Tahoma text (the
    // calendars' holidays among them) looked regular. Without it the bold
    // weight is emboldened from the regular face and can be told apart.
    // Registered from memory: adding by file name makes fontconfig write a
    // cache under a lock that a killed process would leave behind.
    QFile file(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    if (file.open(QIODevice::ReadOnly)) QFontDatabase::addApplicationFontFromData(file.readAll());
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
