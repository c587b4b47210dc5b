// The spell checking of the diary editor for one dictionary: what is known of
// each word so far, the checking of new words on a worker thread (so typing
// and loading a long page never wait for the dictionary), the words the user
// added (kept in the personal word list) or ignored (for this run). Lives on
// the GUI thread.
#pragma once

#include "diary/spell_checker.h"
#include "platform/file_io.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QThread>

#include <memory>

namespace orlane {

class SpellSession final : public QObject {
  Q_OBJECT

 public:
  enum class WordState { Unknown, Correct, Misspelled };

  // The user's words come from personalPath and go there.
  SpellSession(const SpellDictionary& dictionary, QString personalPath);
  ~SpellSession() override;
  Q_DISABLE_COPY_MOVE(SpellSession)

  // False (and why() says so) when the dictionary cannot be used.
  bool isValid() const { return checker_->isValid(); }
  QString why() const { return checker_->why(); }
  const QString& language() const { return checker_->language(); }

  WordState state(const QString& word) const;
  // The words not known yet are checked off this thread.
  void request(const QStringList& words);
  // Checks on this thread; for the word under the mouse.
  bool isCorrectNow(const QString& word);
  QStringList suggestions(const QString& word, int most = 8) const;
  // Correct from now on and in the personal word list; Failed when the list
  // cannot be written (the word still counts as correct in this run).
  WriteResult addToDictionary(const QString& word);
  void ignore(const QString& word);

 Q_SIGNALS:
  // Words asked for are known now.
  void wordsChecked();
  // A word the user added or ignored counts as correct everywhere.
  void wordAccepted();

 private:
  void takeResults(const QStringList& correct, const QStringList& misspelled);

  std::shared_ptr<SpellChecker> checker_;
  QString personalPath_;
  QHash<QString, bool> known_;  // word -> correct
  QSet<QString> pending_;
  QThread thread_;
  QObject worker_;  // lives on thread_; the checks run in its event loop
};

}  // namespace orlane
