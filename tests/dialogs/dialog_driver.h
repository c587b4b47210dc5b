// Helpers of the dialog tests: a responder that answers every message box and
// keeps what it said, typing into an edit, and saving screenshots.
#pragma once

#include "controls/modal_responder.h"
#include "controls/themed_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

namespace orlane::test {

// Answers every modal with `answer` and records the message boxes' texts and
// the other dialogs' classes, in order.
class ModalLog {
 public:
  explicit ModalLog(int answer = 1)
      : scope_([this, answer](const ModalRequest& r) {
          if (r.dialogClass == QStringLiteral("CMsgBoxDlg"))
            notices << r.text;
          else
            dialogs << r.dialogClass;
          return answer;
        }) {}

  QStringList notices;
  QStringList dialogs;

 private:
  ScopedModalResponder scope_;
};

// Types text into the edit the way a person does, key by key.
inline void Type(QLineEdit* edit, const QString& text) {
  edit->clear();
  // Key by key with the character as the event's text, so letters beyond
  // ASCII arrive as they do from a keyboard layout.
  for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline QImage Shot(CThemedDialog& dlg) {
  dlg.EnsureInitialized();
  dlg.ensurePolished();
  return dlg.grab().toImage();
}

inline bool SaveShot(const QImage& image, const QString& name) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
  QDir().mkpath(folder);
  return image.save(folder + QLatin1Char('/') + name);
}

}  // namespace orlane::test
