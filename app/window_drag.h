// Moving and resizing the frameless main window: a press on its border starts
// the window system's resize, the title strip of the client area moves the
// window, and a double click there maximises it.
#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QMouseEvent;
class QWidget;

namespace orlane {

// The width of the border around the client area.
inline constexpr int kFrameBorder = 3;

class WindowDrag final : public QObject {
 public:
  // Watches client and title (the title band over it); doubleClicked maximises.
  WindowDrag(QWidget& window, QWidget& client, QWidget& title, std::function<void()> doubleClicked);
  Q_DISABLE_COPY_MOVE(WindowDrag)

  // A press on the window's border: true when it started a resize.
  bool startBorderResize(const QMouseEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Drag {
    QPoint pointerAt;  // global position of the press on the title strip
    QPoint windowAt;   // the window's position then
  };
  bool inStrip(const QMouseEvent& mouse, int strip) const;

  QWidget& window_;
  QWidget& client_;
  QWidget& title_;
  std::function<void()> doubleClicked_;
  std::optional<Drag> drag_;
};

}  // namespace orlane
