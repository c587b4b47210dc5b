// Where the main window opens: where the user left it (when that still lies
// on the desktop), else centred, moved aside so that its title buttons do
// not sit under the desk widget, which opens at the top right of the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace orlane {

// The title buttons (minimise, hide, maximise, close) of a window of this
// outer width, in window coordinates.
QRect TitleButtonsRect(int windowWidth);

// The window's top left corner on a screen whose free area is area (without
// task bars), for a window of size window; remembered is the corner stored
// at the last exit, widget the desk widget's rectangle (empty: none).
QPoint MainWindowStartPos(const QRect& area, const QSize& window, const std::optional<QPoint>& remembered,
                          const QRect& widget);

}  // namespace orlane
