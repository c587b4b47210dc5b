#include "controls/mac_button.h"

#include "controls/focus_frame.h"

#include "res/resources.h"

#include <QAccessible>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace orlane {

CMacButton::CMacButton(QWidget* parent) : QPushButton(parent) {
  Init();
}

CMacButton::CMacButton(const QString& text, int controlId, QWidget* parent)
    : QPushButton(text, parent), controlId_(controlId) {
  Init();
}

CMacButton::~CMacButton() = default;

void CMacButton::Init() {
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);
  colors_ = ButtonColors::ForTheme(theme_);
  connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT commandClicked(controlId_); });
  tooltipTimer_.setSingleShot(true);
  tooltipTimer_.setInterval(kTooltipDelayMs);
  connect(&tooltipTimer_, &QTimer::timeout, this, [this] {
    if (pointerInside_ && !toolTip().isEmpty()) QToolTip::showText(QCursor::pos(), toolTip(), this);
  });
}

bool CMacButton::event(QEvent* event) {
  // The button shows its own tip on its own delay.
  if (event->type() == QEvent::ToolTip) {
    event->accept();
    return true;
  }
  return QPushButton::event(event);
}

void CMacButton::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  colors_ = ButtonColors::ForTheme(theme_);
  update();
}

void CMacButton::SetToggleMode(int mode) {
  toggleMode_ = (mode == kToggleMode || mode == kLatchMode) ? mode : kPushMode;
}

void CMacButton::SetVisualState(int state, bool redraw) {
  if (state_ == state) return;
  const bool wasChecked = CheckedLook();
  state_ = state;
  AnnounceCheckedChange(wasChecked);
  if (toggleMode_ != kPushMode) latchedState_ = state;
  if (redraw) {
    redrawBackground_ = true;
    update();
  }
}

void CMacButton::SetIconPixmap(const QPixmap& pixmap, int size) {
  icon_ = LazyResourcePixmap(
      pixmap.isNull() ? QPixmap() : pixmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  iconSize_ = size;
  update();
}

void CMacButton::SetIcon16(int resourceId) {
  icon_ = LazyResourcePixmap(resourceId, 16);
  iconSize_ = 16;
  update();
}

void CMacButton::SetIcon32(int resourceId) {
  icon_ = LazyResourcePixmap(resourceId, 32);
  iconSize_ = 32;
  update();
}

void CMacButton::SetTooltipText(const QString& text) {
  setToolTip(text);
}

void CMacButton::SetCornerEllipse(int w, int h) {
  ellipseW_ = std::max(0, w);
  ellipseH_ = std::max(0, h);
  update();
}

ButtonLook CMacButton::Look() const {
  ButtonLook look;
  look.rect = {0, 0, width(), height()};
  look.state = state_;
  look.selected = isDown() || (toggleMode_ != kPushMode && state_ == kPressed);
  look.flat = isFlat();
  look.accent = accent_;
  look.iconAbove = iconAbove_;
  look.tabStyle = tabStyle_;
  look.enabled = isEnabled();
  look.ellipseW = ellipseW_;
  look.ellipseH = ellipseH_;
  look.text = text();
  look.icon = icon_.pixmap();
  look.iconSize = IconSize();
  return look;
}

void CMacButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A Qt widget repaints its whole face each time, so the background is always
  // drawn; the flag keeps the hover bookkeeping of the classic control.
  PaintMacButton(painter, Look(), colors_, font());
  PaintKeyboardFocus(painter, *this, rect().adjusted(2, 2, -2, -2), theme_);
  redrawBackground_ = true;
}

void CMacButton::PointerInside() {
  if (state_ == kHot || state_ == kPressed) {
    if (!pointerInside_) {
      pointerInside_ = true;
      redrawBackground_ = true;
    }
    return;
  }
  if (!pointerInside_) {
    pointerInside_ = true;
    captureRegained_ = true;
  }
  state_ = kHot;
  if (captureRegained_) {
    captureRegained_ = false;
    redrawBackground_ = true;
  } else {
    redrawBackground_ = false;
  }
  update();
}

void CMacButton::PointerOutside() {
  pointerInside_ = false;
  tooltipTimer_.stop();
  if (toggleMode_ == kPushMode) {
    state_ = kNormal;
  } else {
    if (state_ != kPressed) state_ = kNormal;
    if (latchedState_ != kPressed) state_ = kNormal;
  }
  redrawBackground_ = true;
  update();
}

void CMacButton::mouseMoveEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) {
    PointerInside();
    if (event->buttons() == Qt::NoButton && !toolTip().isEmpty() && !QToolTip::isVisible()) tooltipTimer_.start();
  } else {
    PointerOutside();
  }
  QPushButton::mouseMoveEvent(event);
}

void CMacButton::enterEvent(QEnterEvent* event) {
  PointerInside();
  QPushButton::enterEvent(event);
}

void CMacButton::leaveEvent(QEvent* event) {
  PointerOutside();
  QPushButton::leaveEvent(event);
}

bool CMacButton::ApplyPress() {
  const bool wasChecked = CheckedLook();
  switch (toggleMode_) {
    case kToggleMode: state_ = state_ == kPressed ? kNormal : kPressed; break;
    case kLatchMode:
      if (state_ == kPressed) return false;
      state_ = kPressed;
      break;
    default: state_ = kPressed; break;
  }
  AnnounceCheckedChange(wasChecked);
  update();
  return true;
}

void CMacButton::Press() {
  if (!isEnabled() || !ApplyPress()) return;
  if (toggleMode_ != kPushMode)
    latchedState_ = state_;
  else
    state_ = kNormal;
  update();
  click();
}

bool CMacButton::CheckedLook() const {
  return toggleMode_ != kPushMode && state_ == kPressed;
}

void CMacButton::AnnounceCheckedChange(bool wasChecked) {
  if (CheckedLook() == wasChecked) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void CMacButton::mousePressEvent(QMouseEvent* event) {
  tooltipTimer_.stop();
  if (event->button() == Qt::LeftButton && !ApplyPress()) {
    swallowedPress_ = true;
    event->accept();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void CMacButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (toggleMode_ != kPushMode)
      latchedState_ = state_;
    else
      state_ = kNormal;
    update();
    if (swallowedPress_) {
      swallowedPress_ = false;
      event->accept();
      return;
    }
  }
  QPushButton::mouseReleaseEvent(event);
}

void CMacButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void CMacButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
    colors_ = ButtonColors::ForTheme(theme_);
  QPushButton::changeEvent(event);
}

void CMacButton::hideEvent(QHideEvent* event) {
  // Hidden under the pointer, the button loses its hover like a lost capture.
  if (state_ == kHot) state_ = kNormal;
  pointerInside_ = false;
  QPushButton::hideEvent(event);
}

}  // namespace orlane
