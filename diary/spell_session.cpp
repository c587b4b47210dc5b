#include "diary/spell_session.h"

#include "diary/personal_words.h"

namespace orlane {

SpellSession::SpellSession(const SpellDictionary& dictionary, QString personalPath)
    : checker_(std::make_shared<SpellChecker>(dictionary)), personalPath_(std::move(personalPath)) {
  if (!checker_->isValid()) return;
  for (const QString& word : ReadPersonalWords(personalPath_)) checker_->addWord(word);
  worker_.moveToThread(&thread_);
  thread_.setObjectName(QStringLiteral("spelling"));
  thread_.start(QThread::LowPriority);
}

SpellSession::~SpellSession() {
  thread_.quit();
  thread_.wait();
}

SpellSession::WordState SpellSession::state(const QString& word) const {
  const auto it = known_.constFind(word);
  if (it == known_.cend()) return WordState::Unknown;
  return *it ? WordState::Correct : WordState::Misspelled;
}

void SpellSession::request(const QStringList& words) {
  if (!isValid()) return;
  QStringList fresh;
  for (const QString& w : words)
    if (!known_.contains(w) && !pending_.contains(w)) {
      pending_.insert(w);
      fresh << w;
    }
  if (fresh.isEmpty()) return;
  QMetaObject::invokeMethod(&worker_, [this, checker = checker_, fresh] {
    QStringList correct;
    QStringList misspelled;
    for (const QString& w : fresh) (checker->isCorrect(w) ? correct : misspelled) << w;
    // Posted to this object's thread; dropped if the session is gone by then.
    QMetaObject::invokeMethod(
        this, [this, correct, misspelled] { takeResults(correct, misspelled); }, Qt::QueuedConnection);
  });
}

void SpellSession::takeResults(const QStringList& correct, const QStringList& misspelled) {
  for (const QString& w : correct) {
    pending_.remove(w);
    known_.insert(w, true);
  }
  for (const QString& w : misspelled) {
    pending_.remove(w);
    known_.insert(w, known_.value(w, false));  // an Ignore meanwhile wins
  }
  Q_EMIT wordsChecked();
}

bool SpellSession::isCorrectNow(const QString& word) {
  if (const WordState s = state(word); s != WordState::Unknown) return s == WordState::Correct;
  const bool correct = checker_->isCorrect(word);
  known_.insert(word, correct);
  return correct;
}

QStringList SpellSession::suggestions(const QString& word, int most) const {
  return checker_->suggestions(word, most);
}

WriteResult SpellSession::addToDictionary(const QString& word) {
  checker_->addWord(word);
  ignore(word);
  return AddPersonalWord(personalPath_, word);
}

void SpellSession::ignore(const QString& word) {
  known_.insert(word, true);
  Q_EMIT wordAccepted();
}

}  // namespace orlane
