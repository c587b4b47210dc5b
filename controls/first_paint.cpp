#include "controls/first_paint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orlane {

namespace {
class FirstPaintWatch final : public QObject {
 public:
  FirstPaintWatch(QWidget& window, std::function<void()> then) : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      // Queued: the paint and its flush to the screen finish first.
      QTimer::singleShot(0, watched, std::move(then_));
      then_ = nullptr;
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
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
