// One loaded Hunspell dictionary: checks words, suggests corrections and
// takes words of the user's own. Safe to share between threads: every call
// holds the checker's lock for that one word.
#pragma once

#include "platform/spell_dictionaries.h"

#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace orlane {

class SpellChecker final {
 public:
  // Words longer than this are neither checked nor corrected (Hunspell's
  // suggestions grow with the length; such a "word" is no word).
  static constexpr int kLongestWord = 60;

  // Loads the dictionary; why() says what was wrong when it cannot be used.
  explicit SpellChecker(const SpellDictionary& dictionary);
  ~SpellChecker();
  Q_DISABLE_COPY_MOVE(SpellChecker)

  bool isValid() const { return why_.isEmpty(); }
  QString why() const { return why_; }
  const QString& language() const { return language_; }

  bool isCorrect(const QString& word);
  QStringList suggestions(const QString& word, int most);
  // For this run only; the personal word list keeps it for the next.
  void addWord(const QString& word);

 private:
  // The word in the dictionary's encoding; false when it cannot be written in it.
  bool encode(const QString& word, std::string& out) const;
  QString decode(const std::string& bytes) const;

  QString language_;
  QString why_;
  bool utf8_ = true;
  QByteArray encoding_;
  QMutex mutex_;
  std::unique_ptr<Hunspell> hunspell_;
};

}  // namespace orlane
