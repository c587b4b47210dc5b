// Work that may wait until a window is on the screen: it runs once the window
// has painted for the first time, so that it does not hold the window back.
#pragma once

#include <functional>

class QWidget;

namespace orlane {

// Runs `then` from the event loop after the first paint of `window`, or at
// once when the window is hidden (nothing to wait for).
void AfterFirstPaint(QWidget& window, std::function<void()> then);

}  // namespace orlane
