#include "controls/color_label.h"

#include <QPainter>

namespace orlane {

CColorLabel::CColorLabel(QWidget* parent) : QLabel(parent) {}

CColorLabel::CColorLabel(const QString& text, const QRect& rect, QWidget* parent) : QLabel(text, parent) {
  setGeometry(rect);
}

void CColorLabel::SetFont(const QFont& font) {
  setFont(font);
  update();
}

void CColorLabel::SetTextColor(ColorRef color) {
  textColor_ = color;
  update();
}
void CColorLabel::SetBackgroundColor(ColorRef color) {
  background_ = color;
  update();
}
void CColorLabel::SetTransparent(bool on) {
  transparent_ = on;
  update();
}
void CColorLabel::SetTextFlags(unsigned flags) {
  flags_ = flags;
  update();
}

void CColorLabel::SetIcon(const QPixmap& icon, int size) {
  icon_ = icon;
  iconSize_ = size;
  update();
}

int CColorLabel::SetPicture(const QString& path) {
  const int loaded = picture_.Load(path, false);
  update();
  return loaded;
}

void CColorLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  GdiPainter gdi(painter);
  if (picture_.IsLoaded()) {
    picture_.Draw(painter, rect());
  } else if (transparent_) {
    if (!icon_.isNull()) painter.drawPixmap(QRect(0, 0, iconSize_, iconSize_), icon_);
  } else {
    gdi.FillRect(GdiRect::fromQRect(rect()), background_);
  }
  painter.setFont(font());
  const GdiRect r = GdiRect::fromQRect(rect());
  if (isEnabled())
    gdi.Text(r, text(), flags_, textColor_);
  else
    gdi.DisabledText(r, text(), flags_);
}

}  // namespace orlane
