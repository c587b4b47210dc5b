// A text field of a form: Tab and Shift+Tab move the focus on, as in every
// other field, and Ctrl+Tab types a tab character.
#pragma once

class QTextEdit;

namespace orlane {

void LetTabLeaveText(QTextEdit* editor);

}  // namespace orlane
