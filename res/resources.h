// The program's numbered resources (icons, button bitmaps, the beep sound):
// one table maps each number to a file compiled into the program, and the
// loaders below turn a number into a pixmap of the wanted size or raw bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPixmap>
#include <QString>

namespace orlane {

inline constexpr int kIdProgramIcon = 128;
inline constexpr int kIdCloseIcon = 133;
inline constexpr int kIdReminderIcon = 201;
inline constexpr int kIdSoundDiaryIcon = 138;
inline constexpr int kIdBeepWave = 208;

// The resource path (":/…") of a number, or an empty text for an unknown one.
QString ResourcePath(int id);
QList<int> ResourceIds();

// An icon or bitmap resource drawn at size × size; null for an unknown number.
QPixmap ResourcePixmap(int id, int size);
// The bytes of a resource (the beep's WAV file); empty for an unknown number.
QByteArray ResourceData(int id);

}  // namespace orlane
