// Small helpers of the control tests: pixel reads of rendered images and the
// mouse and key events a person would cause, delivered straight to a widget.
#pragma once

#include "controls/color_theme.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace orlane::test {

inline constexpr QRgb kUnpainted = qRgb(255, 0, 255);

inline ColorRef Pixel(const QImage& image, int x, int y) {
  const QRgb c = image.pixel(x, y);
  return MakeColorRef(qRed(c), qGreen(c), qBlue(c));
}

// Renders a widget over a magenta background, so unpainted pixels show.
inline QImage Render(QWidget& w) {
  QImage image(w.size(), QImage::Format_RGB32);
  image.fill(kUnpainted);
  w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

inline QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kUnpainted);
  return image;
}

inline void SendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = (type == QEvent::MouseButtonRelease || type == QEvent::MouseMove)
                                    ? Qt::MouseButtons(Qt::NoButton)
                                    : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(pos), QPointF(w.mapToGlobal(pos)), type == QEvent::MouseMove ? Qt::NoButton : button,
                    held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

inline void Hover(QWidget& w, QPoint pos) {
  const QPointF local(pos);
  QEnterEvent enter(local, local, QPointF(w.mapToGlobal(pos)));
  QApplication::sendEvent(&w, &enter);
  SendMouse(w, QEvent::MouseMove, pos);
}

inline void Leave(QWidget& w) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&w, &leave);
}

inline void Click(QWidget& w, QPoint pos) {
  SendMouse(w, QEvent::MouseButtonPress, pos);
  SendMouse(w, QEvent::MouseButtonRelease, pos);
}

inline void Key(QWidget& w, QEvent::Type type, int key) {
  QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString());
  QApplication::sendEvent(&w, &event);
}

}  // namespace orlane::test
