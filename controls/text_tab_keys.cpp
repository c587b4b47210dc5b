#include "controls/text_tab_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTextEdit>

namespace orlane {

namespace {
class CtrlTabTyper final : public QObject {
 public:
  explicit CtrlTabTyper(QTextEdit* editor) : QObject(editor), editor_(editor) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier && !editor_->isReadOnly()) {
        editor_->textCursor().insertText(QStringLiteral("\t"));
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QTextEdit* editor_;
};
}  // namespace

void LetTabLeaveText(QTextEdit* editor) {
  editor->setTabChangesFocus(true);
  editor->installEventFilter(new CtrlTabTyper(editor));
}

}  // namespace orlane
