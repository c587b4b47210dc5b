// CBVTitle: the title band of the program's frameless windows. It tiles the
// skin bitmap of the colour theme across the band and writes the window's
// title in bold with a one-pixel shadow, in active or inactive colours.
#pragma once

#include "controls/color_theme.h"
#include "controls/dib_image.h"

#include <QFont>
#include <QPixmap>
#include <QWidget>

namespace orlane {

struct TitleColors {
  ColorRef shadow = 0;  // first pass, one pixel right and down
  ColorRef text = 0;    // second pass
  static TitleColors For(int theme, bool active);
};

class CBVTitle : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 0xFFFF;

  CBVTitle(const QString& text, const QRect& rect, QWidget* parent);
  Q_DISABLE_COPY_MOVE(CBVTitle)

  // Loads "skin/<theme>.bmp"; when that fails the index becomes -1 and the
  // band paints nothing.
  void SetSkin(int theme);
  int Theme() const { return theme_; }
  const CDibImage& Skin() const { return skin_; }

  // The file a theme's skin is read from: the first "skin/<n>.bmp" found in
  // the program's data folders, or the services' skin folder when set.
  static QString SkinPath(int theme);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int theme_ = -1;
  CDibImage skin_;
  QFont font_;
  QPixmap icon_;
};

}  // namespace orlane
