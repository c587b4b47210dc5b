// How the program's own controls speak to assistive technology: owner-drawn
// buttons (named by caption, else by the action of their tip, with their
// toggle and latch states), the progress bar as a value, and the themed
// dialogs, of which message boxes and alerts read as alerts with their text.
// The factory is installed once at start-up, before the first window.
#pragma once

#include <QString>

namespace orlane {

void InstallControlsAccessibility();

// The spoken name of a button: its caption without the mnemonic marks, else
// its tip without a trailing key hint ("Help (F1)" is "Help").
QString AccessibleButtonName(const QString& caption, const QString& tip);

}  // namespace orlane
