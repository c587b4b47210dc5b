// The program's numbered resources (icons, button bitmaps, the beep sound):
// one table maps each number to a file compiled into the program, and the
// loaders below turn a number into a pixmap of the wanted size or raw bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPixmap>
#include <QString>

#include <optional>

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

// An icon that is drawn from its resource at its first use, so that buttons
// and menu items of windows not yet shown cost nothing at start-up. It may
// also hold a pixmap made elsewhere.
class LazyResourcePixmap {
 public:
  LazyResourcePixmap() = default;
  LazyResourcePixmap(int id, int size) : id_(id), size_(size) {}
  explicit LazyResourcePixmap(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}

  const QPixmap& pixmap() const;
  bool isNull() const { return pixmap().isNull(); }

 private:
  int id_ = 0;
  int size_ = 0;
  mutable std::optional<QPixmap> pixmap_;
};

// The bytes of a resource (the beep's WAV file); empty for an unknown number.
QByteArray ResourceData(int id);

}  // namespace orlane
