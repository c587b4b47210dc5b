// The widget's window behaviour: stacking above or below the other windows,
// transparency, its background, the drag strip, the mouse and the keys.
#include "widget/deskleaf_dlg.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_menu.h"
#include "widget/taskbar_hint.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace orlane {

namespace {
constexpr Qt::WindowFlags kStackingHints = Qt::WindowStaysOnTopHint | Qt::WindowStaysOnBottomHint;
}

void CDeskleafDlg::ApplyWindowFlags() {
  Qt::WindowFlags stacking;
  if (limits_.stacking) stacking = settings_.stayTopmost ? Qt::WindowStaysOnTopHint : Qt::WindowStaysOnBottomHint;
  const Qt::WindowFlags current = windowFlags();
  if ((current & kStackingHints) != stacking) {
    // A new stacking hint makes the window anew; it comes back as it was.
    const bool shown = isVisible();
    setWindowFlags((current & ~kStackingHints) | stacking);
    if (limits_.opacity) setWindowOpacity(settings_.opacity / 255.0);
    if (shown) show();
  }
  if (limits_.stacking && settings_.stayTopmost && isVisible()) raise();
  KeepAtBottom();
}

void CDeskleafDlg::KeepAtBottom() {
  if (!limits_.stacking || settings_.stayTopmost || lowering_ || !isVisible()) return;
  lowering_ = true;
  lower();
  lowering_ = false;
}

void CDeskleafDlg::ApplyOpacity() {
  if (limits_.opacity) setWindowOpacity(settings_.opacity / 255.0);
  UpdateMenuStates();
  WriteSettings();
}

bool CDeskleafDlg::event(QEvent* event) {
  // Below the other windows means below them after every activation too.
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) KeepAtBottom();
  // No task-bar button: set before every mapping, the window is made anew with each stacking hint.
  if (event->type() == QEvent::Show) KeepOffTaskbar(*this);
  return QWidget::event(event);
}

void CDeskleafDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  GdiPainter(painter).FillRect(GdiRect::fromQRect(rect()), ThemeColor(theme_, kThemeShadow));
}

bool CDeskleafDlg::InDragStrip(const QPoint& pos) const {
  return pos.x() >= 0 && pos.x() < settings_.width && pos.y() >= 0 && pos.y() < kDeskleafDragStrip;
}

void CDeskleafDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  TakeFocus();
  dragArmed_ = InDragStrip(event->position().toPoint());
  dragMoving_ = false;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CDeskleafDlg::TakeFocus() {
  // The window appeared refusing the focus; the user's click is the moment to accept it.
  if (QWindow* window = windowHandle(); window && (window->flags() & Qt::WindowDoesNotAcceptFocus)) {
    window->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    activateWindow();
  }
  setFocus(Qt::MouseFocusReason);
}

void CDeskleafDlg::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::LeftButton || !dragArmed_ || !InDragStrip(event->position().toPoint())) {
    dragArmed_ = false;
    dragMoving_ = false;
    return QWidget::mouseMoveEvent(event);
  }
  StartDrag(event->globalPosition().toPoint());
}

void CDeskleafDlg::StartDrag(const QPoint& globalPos) {
  if (!dragMoving_) {
    WriteSettings();
    // Where the program may place its windows (X11) the widget follows the
    // pointer itself, as the main window does: a window manager without the
    // system move (icewm) would leave it where it is. Elsewhere (Wayland) the
    // window system moves it; the button's release then goes to it, so the
    // drag ends here.
    if (!limits_.placement && windowHandle() && windowHandle()->startSystemMove()) {
      dragArmed_ = false;
      return;
    }
    dragMoving_ = true;
  }
  move(globalPos - dragOffset_);
}

void CDeskleafDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const bool moved = dragMoving_;
    dragArmed_ = false;
    dragMoving_ = false;
    if (moved) WriteSettings();
    return;
  }
  if (event->button() == Qt::RightButton) {
    ShowContextMenu(event->globalPosition().toPoint());
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

void CDeskleafDlg::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT openMainWindowRequested();
}

void CDeskleafDlg::ShowContextMenu(const QPoint& globalPos) {
  if (placed_ && limits_.placement) TakeWindowRect();
  UpdateMenuStates();
  menu_->popup(globalPos);
}

void CDeskleafDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown: ChangeOpacity(OpacityAction::PageDown); break;
    case Qt::Key_PageUp: ChangeOpacity(OpacityAction::PageUp); break;
    default: return QWidget::keyPressEvent(event);
  }
  event->accept();
}

void CDeskleafDlg::moveEvent(QMoveEvent* event) {
  // Where the user or the window system put the window is written at the next tick.
  if (placed_ && !layingOut_) movedByUser_ = true;
  QWidget::moveEvent(event);
}

}  // namespace orlane
