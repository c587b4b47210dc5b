// Marks the misspelled words of a document with a wave underline. Only the
// layout is marked (QSyntaxHighlighter's formats): the document's text and
// formats, and so the page's bytes, stay as they are. Words not known yet are
// handed to the session, and their paragraphs are marked again when the
// session has checked them.
#pragma once

#include <QColor>
#include <QPointer>
#include <QSyntaxHighlighter>

namespace orlane {

class SpellSession;

class SpellHighlighter final : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  SpellHighlighter(QTextDocument* document, SpellSession* session, QColor wave);
  Q_DISABLE_COPY_MOVE(SpellHighlighter)

  void SetWaveColor(QColor wave);
  // Marks the whole document again (after it was replaced with its signals blocked).
  void MarkAll();

 protected:
  void highlightBlock(const QString& text) override;

 private:
  // Block state of a paragraph that has words the session has not answered yet.
  static constexpr int kAwaiting = 1;

  void MarkAwaitingAgain();

  QPointer<SpellSession> session_;
  QColor wave_;
};

}  // namespace orlane
