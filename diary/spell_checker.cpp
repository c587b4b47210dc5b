#include "diary/spell_checker.h"

#include <hunspell.hxx>

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStringDecoder>
#include <QStringEncoder>

namespace orlane {

SpellChecker::SpellChecker(const SpellDictionary& dictionary) : language_(dictionary.language) {
  const QFileInfo aff(dictionary.affPath);
  const QFileInfo dic(dictionary.dicPath);
  if (!aff.isReadable() || !dic.isReadable() || dic.size() == 0) {
    why_ = QStringLiteral("The dictionary %1 cannot be read.").arg(language_);
    return;
  }
  hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(dictionary.affPath).constData(),
                                         QFile::encodeName(dictionary.dicPath).constData());
  encoding_ = QByteArray::fromStdString(hunspell_->get_dict_encoding()).trimmed();
  utf8_ = encoding_.compare("UTF-8", Qt::CaseInsensitive) == 0;
  if (!utf8_ && !QStringEncoder(encoding_.constData()).isValid()) {
    why_ = QStringLiteral("The dictionary %1 is in the encoding %2, which cannot be read here.")
               .arg(language_, QString::fromLatin1(encoding_));
    hunspell_.reset();
  }
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::encode(const QString& word, std::string& out) const {
  if (utf8_) {
    out = word.toStdString();
    return true;
  }
  QStringEncoder encoder(encoding_.constData());
  const QByteArray bytes = encoder.encode(word);
  if (encoder.hasError()) return false;
  out = bytes.toStdString();
  return true;
}

QString SpellChecker::decode(const std::string& bytes) const {
  if (utf8_) return QString::fromStdString(bytes);
  QStringDecoder decoder(encoding_.constData());
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool SpellChecker::isCorrect(const QString& word) {
  std::string encoded;
  if (!hunspell_ || word.size() > kLongestWord || !encode(word, encoded)) return true;
  const QMutexLocker lock(&mutex_);
  return hunspell_->spell(encoded);
}

QStringList SpellChecker::suggestions(const QString& word, int most) {
  std::string encoded;
  if (!hunspell_ || word.size() > kLongestWord || !encode(word, encoded)) return {};
  std::vector<std::string> found;
  {
    const QMutexLocker lock(&mutex_);
    found = hunspell_->suggest(encoded);
  }
  QStringList words;
  for (const std::string& s : found) {
    if (words.size() >= most) break;
    words << decode(s);
  }
  return words;
}

void SpellChecker::addWord(const QString& word) {
  std::string encoded;
  if (!hunspell_ || !encode(word, encoded)) return;
  const QMutexLocker lock(&mutex_);
  hunspell_->add(encoded);
}

}  // namespace orlane
