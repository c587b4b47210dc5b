// What the spell checking looks at in a paragraph: runs of letters, with an
// apostrophe between letters kept inside the word ("don't"). Runs touching a
// digit, single letters, and whatever stands in a web or mail address are no
// words to check.
#pragma once

#include <QStringView>

#include <vector>

namespace orlane {

struct WordSpan {
  int start = 0;
  int length = 0;
};

std::vector<WordSpan> SpellWords(QStringView text);

}  // namespace orlane
