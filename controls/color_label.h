// CColorLabel: a static text with its own colours: opaque on a background
// colour, transparent with an optional icon at its top left, or drawn over a
// picture that fills it.
#pragma once

#include "controls/color_theme.h"
#include "controls/dib_image.h"
#include "controls/gdi_painter.h"

#include <QLabel>
#include <QPixmap>

namespace orlane {

class CColorLabel : public QLabel {
  Q_OBJECT

 public:
  explicit CColorLabel(QWidget* parent = nullptr);
  CColorLabel(const QString& text, const QRect& rect, QWidget* parent);
  Q_DISABLE_COPY_MOVE(CColorLabel)

  void SetFont(const QFont& font);
  void SetTextColor(ColorRef color);
  void SetBackgroundColor(ColorRef color);
  void SetTransparent(bool on);
  void SetIcon(const QPixmap& icon, int size);
  // A bitmap file drawn over the whole label instead of a background; an
  // empty path removes it.
  int SetPicture(const QString& path);
  // DrawText flags of the text (default: left-aligned, wrapped at words).
  void SetTextFlags(unsigned flags);

  ColorRef TextColor() const { return textColor_; }
  ColorRef BackgroundColor() const { return background_; }
  bool Transparent() const { return transparent_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorRef textColor_ = MakeColorRef(0, 0, 0);
  ColorRef background_ = MakeColorRef(255, 255, 255);
  bool transparent_ = false;
  QPixmap icon_;
  int iconSize_ = 0;
  CDibImage picture_;
  unsigned flags_ = kDtWordBreak;
};

}  // namespace orlane
