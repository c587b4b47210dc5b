#include "app/window_drag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace orlane {

namespace {
constexpr int kTitleStrip = 25;
constexpr int kDragStrip = 24;
}  // namespace

WindowDrag::WindowDrag(QWidget& window, QWidget& client, QWidget& title, std::function<void()> doubleClicked)
    : QObject(&window), window_(window), client_(client), title_(title), doubleClicked_(std::move(doubleClicked)) {
  client_.installEventFilter(this);
  title_.installEventFilter(this);
}

bool WindowDrag::startBorderResize(const QMouseEvent& event) {
  const QPoint p = event.position().toPoint();
  Qt::Edges edges;
  if (p.x() < kFrameBorder) edges |= Qt::LeftEdge;
  if (p.x() >= window_.width() - kFrameBorder) edges |= Qt::RightEdge;
  if (p.y() < kFrameBorder) edges |= Qt::TopEdge;
  if (p.y() >= window_.height() - kFrameBorder) edges |= Qt::BottomEdge;
  if (!edges || event.button() != Qt::LeftButton || !window_.windowHandle() || window_.isMaximized()) return false;
  window_.windowHandle()->startSystemResize(edges);
  return true;
}

bool WindowDrag::inStrip(const QMouseEvent& mouse, int strip) const {
  return client_.mapFromGlobal(mouse.globalPosition().toPoint()).y() < strip;
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
  // Only mouse events: the filter also sees palette, paint and key events.
  auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (!mouse || (watched != &client_ && watched != &title_)) return false;
  if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && inStrip(*mouse, kDragStrip) &&
      !window_.isMaximized()) {
    drag_ = Drag{mouse->globalPosition().toPoint(), window_.pos()};
    return false;
  }
  if (event->type() == QEvent::MouseMove && drag_ && (mouse->buttons() & Qt::LeftButton)) {
    // Where a window may place itself (X11) it follows the pointer exactly;
    // elsewhere (Wayland) the window system moves it. The window system's
    // move on X11 starts from the pointer's position at the first motion
    // and so lags behind by that first step.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && window_.windowHandle()) {
      drag_.reset();
      window_.windowHandle()->startSystemMove();
    } else {
      window_.move(drag_->windowAt + mouse->globalPosition().toPoint() - drag_->pointerAt);
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) drag_.reset();
  if (event->type() == QEvent::MouseButtonDblClick && inStrip(*mouse, kTitleStrip)) {
    doubleClicked_();
    return true;
  }
  return false;
}

}  // namespace orlane
