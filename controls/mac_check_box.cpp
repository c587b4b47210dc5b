#include "controls/mac_check_box.h"

#include "controls/focus_frame.h"

#include "controls/gdi_painter.h"

#include <QMouseEvent>
#include <QPainter>

namespace orlane {

CheckBoxColors CheckBoxColors::ForTheme(int theme) {
  CheckBoxColors c;
  c.highlight = ThemeColor(theme, kThemeHighlight);
  c.lightFace = ThemeColor(theme, kThemeLightFace);
  c.shadow = ThemeColor(theme, kThemeShadow);
  c.outline = ThemeColor(theme, kThemeOutline);
  c.mixLightShadow = MixColors(c.lightFace, c.shadow);
  return c;
}

CMacCheckBox::CMacCheckBox(QWidget* parent) : QCheckBox(parent) {
  Init();
}

CMacCheckBox::CMacCheckBox(const QString& text, int controlId, QWidget* parent)
    : QCheckBox(text, parent), controlId_(controlId) {
  Init();
}

void CMacCheckBox::Init() {
  colors_ = CheckBoxColors::ForTheme(theme_);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT commandClicked(controlId_); });
  // Pressing and releasing repaint the box in its pressed and normal look.
  connect(this, &QAbstractButton::pressed, this, [this] { update(BoxRect().adjusted(0, 0, 2, 0)); });
  connect(this, &QAbstractButton::released, this, [this] { update(BoxRect().adjusted(0, 0, 2, 0)); });
}

void CMacCheckBox::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  colors_ = CheckBoxColors::ForTheme(theme_);
  update();
}

void CMacCheckBox::SetChecked(bool checked) {
  if (checked == isChecked()) return;
  setChecked(checked);
  update(BoxRect().adjusted(0, 0, 2, 0));
}

void CMacCheckBox::SetFlat(bool on) {
  flat_ = on;
  update();
}

void CMacCheckBox::SetLeftText(bool on) {
  leftText_ = on;
  update();
}

QRect CMacCheckBox::BoxRect() const {
  const int x = leftText_ ? width() - 12 : 0;
  return QRect(x, (height() - 12) / 2, 12, 12);
}

bool CMacCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void CMacCheckBox::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void CMacCheckBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  GdiPainter gdi(painter);
  const CheckBoxColors& c = colors_;
  const bool enabled = isEnabled();
  const QRect box = BoxRect();
  const GdiRect outer = GdiRect::fromQRect(box);
  gdi.FrameRect(outer, enabled ? c.outline : c.shadow);
  const GdiRect inner = outer.inflated(-1, -1);
  if (!flat_) {
    const bool pressed = isDown();
    gdi.Draw3dRect(inner, pressed ? c.highlight : c.mixLightShadow, pressed ? c.mixLightShadow : c.highlight);
    gdi.SetPixel(inner.right - 1, inner.top, c.lightFace);
    gdi.SetPixel(inner.left, inner.bottom - 1, c.lightFace);
  }
  if (isChecked()) {
    const int x = inner.left;
    const int y = inner.top;
    const ColorRef tick = enabled ? c.outline : c.shadow;
    gdi.Polyline({{x + 1, y + 4}, {x + 4, y + 7}, {x + 12, y - 1}}, tick);
    gdi.Polyline({{x + 2, y + 4}, {x + 4, y + 6}, {x + 10, y}}, tick);
    if (enabled && !flat_) {
      gdi.Polyline({{x + 4, y + 8}, {x + 9, y + 3}, {x + 9, y + 5}}, c.shadow);
      gdi.Polyline({{x + 2, y + 6}, {x + 4, y + 8}}, c.mixLightShadow);
      gdi.Polyline({{x + 5, y + 8}, {x + 9, y + 4}}, c.mixLightShadow);
      gdi.SetPixel(x + 11, y + 1, c.shadow);
      gdi.SetPixel(x + 12, y + 1, c.mixLightShadow);
      gdi.SetPixel(x + 11, y + 2, c.mixLightShadow);
    }
  }

  const QString label = text();
  if (label.isEmpty()) return;
  painter.setFont(font());
  const GdiRect textRect = leftText_ ? GdiRect{0, 0, width() - 17, height()} : GdiRect{17, 0, width(), height()};
  unsigned flags = kDtSingleLine | kDtVCenter | kDtNoPrefix;
  if (MeasureGdiText(font(), label, flags).width() > textRect.width()) flags = kDtWordBreak | kDtVCenter;
  if (enabled)
    gdi.Text(textRect, label, flags, MakeColorRef(0, 0, 0));
  else
    gdi.DisabledText(textRect, label, flags);
  PaintKeyboardFocus(painter, *this, textRect.toQRect(), theme_);
}

CMacRadioButton::CMacRadioButton(QWidget* parent) : QRadioButton(parent) {
  SetTheme(kDefaultControlTheme);
}

void CMacRadioButton::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  for (int i = 0; i < 5; ++i) colors_[static_cast<size_t>(i)] = ThemeColor(theme_, i);
  colors_[5] = MixColors(ThemeColor(theme_, kThemeLightFace), ThemeColor(theme_, kThemeShadow));
  colors_[6] = MixColors(ThemeColor(theme_, kThemeShadow), ThemeColor(theme_, kThemeOutline));
}

}  // namespace orlane
