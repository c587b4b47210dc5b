// The program's fonts: registers the bundled Tahoma face once per process and
// builds fonts the way the classic code asks for them (face, character height
// in pixels as a negative GDI height, weight).
#pragma once

#include <QFont>
#include <QString>

namespace orlane {

// Registers Tahoma (fonts-wine) as an application font; missing files are
// passed over silently and fontconfig's substitute serves.
void LoadProgramFonts();

// height < 0: character height of -height pixels; > 0 taken the same way.
QFont GdiFont(const QString& face, int height, int weight);

QFont DialogFont();      // "Tahoma" -12, 400
QFont DialogBoldFont();  // "Tahoma" -13, 700
QFont TitleFont();       // "Verdana" -13, 700

}  // namespace orlane
