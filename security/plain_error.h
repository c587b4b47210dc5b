// The plain error message box, reachable from the pure libraries. The widget
// layer installs the real box at start-up; until then (and in the command-line
// companion) the text goes to standard error. Tests install their own handler to
// see what would be shown.
#pragma once

#include <QString>
#include <functional>

namespace orlane {

using PlainErrorHandler = std::function<void(const QString& text)>;

void ShowPlainError(const QString& text);
// An empty handler restores the default (standard error).
void SetPlainErrorHandler(PlainErrorHandler handler);

}  // namespace orlane
