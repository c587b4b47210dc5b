#include "controls/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace orlane {

namespace {
// A window that never paints (minimized at once, an unusual display server)
// does not hold the work back for longer than this.
constexpr int kLatestMs = 2000;

class FirstPaintWatch final : public QObject {
 public:
  FirstPaintWatch(QWidget& window, std::function<void()> then) : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
    QTimer::singleShot(kLatestMs, this, [this] { Run(); });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Queued: the paint and its flush to the screen finish first.
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, this, [this] { Run(); });
    return QObject::eventFilter(watched, event);
  }

 private:
  void Run() {
    if (!then_) return;
    const std::function<void()> then = std::move(then_);
    then_ = nullptr;
    deleteLater();
    then();
  }

  std::function<void()> then_;
};
}  // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> then) {
  if (!window.isVisible()) {
    then();
    return;
  }
  new FirstPaintWatch(window, std::move(then));
}

}  // namespace orlane
