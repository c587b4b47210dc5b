#include "diary/spell_highlighter.h"

#include "diary/spell_session.h"
#include "diary/spell_words.h"

#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

namespace orlane {

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellSession* session, QColor wave)
    : QSyntaxHighlighter(document), session_(session), wave_(wave) {
  connect(session, &SpellSession::wordsChecked, this, &SpellHighlighter::MarkAwaitingAgain);
  connect(session, &SpellSession::wordAccepted, this, &SpellHighlighter::MarkAll);
  MarkAll();  // now, and quietly, rather than from the base's own later pass
}

void SpellHighlighter::SetWaveColor(QColor wave) {
  if (wave == wave_) return;
  wave_ = wave;
  MarkAll();
}

void SpellHighlighter::MarkAll() {
  // Marking the layout tells the document's listeners that its content
  // changed, which it did not: they would take it for an edit of the page.
  const QSignalBlocker quiet(document());
  rehighlight();
}

void SpellHighlighter::highlightBlock(const QString& text) {
  setCurrentBlockState(0);
  if (!session_) return;
  QTextCharFormat wave;
  wave.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  wave.setUnderlineColor(wave_);
  QStringList unknown;
  for (const WordSpan& span : SpellWords(text)) {
    const QString word = text.mid(span.start, span.length);
    switch (session_->state(word)) {
      case SpellSession::WordState::Misspelled: setFormat(span.start, span.length, wave); break;
      case SpellSession::WordState::Unknown: unknown << word; break;
      case SpellSession::WordState::Correct: break;
    }
  }
  if (unknown.isEmpty()) return;
  setCurrentBlockState(kAwaiting);
  session_->request(unknown);
}

void SpellHighlighter::MarkAwaitingAgain() {
  const QSignalBlocker quiet(document());
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    if (block.userState() == kAwaiting) rehighlightBlock(block);
}

}  // namespace orlane
