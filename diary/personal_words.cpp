#include "diary/personal_words.h"

#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>

namespace orlane {

namespace {
// A word list beyond this is not a list of words a person added.
constexpr qint64 kLargestList = qint64(16) << 20;
}  // namespace

QString PersonalWordsPath() {
  return ConfigFolder() + QStringLiteral("orlane/personal.dic");
}

QStringList ParsePersonalWords(QByteArrayView bytes) {
  QStringList words;
  for (const QByteArrayView line : QByteArray::fromRawData(bytes.data(), bytes.size()).split('\n')) {
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('*')) || text.startsWith(QLatin1Char('#'))) continue;
    const QString word = text.section(QLatin1Char('/'), 0, 0);
    if (!word.isEmpty()) words << word;
  }
  return words;
}

QByteArray WithPersonalWord(QByteArrayView bytes, const QString& word) {
  QByteArray out(bytes.data(), bytes.size());
  const QString clean = word.trimmed();
  if (clean.isEmpty() || clean.contains(QLatin1Char('\n')) || ParsePersonalWords(bytes).contains(clean)) return out;
  if (!out.isEmpty() && !out.endsWith('\n')) out += '\n';
  return out + clean.toUtf8() + '\n';
}

QStringList ReadPersonalWords(const QString& path) {
  QByteArray bytes;
  if (ReadFileBytes(path, bytes, kLargestList) != FileReadResult::Ok) return {};
  return ParsePersonalWords(bytes);
}

WriteResult AddPersonalWord(const QString& path, const QString& word) {
  QByteArray bytes;
  const FileReadResult read = ReadFileBytes(path, bytes, kLargestList);
  // A list that is there but cannot be read is never replaced by one word.
  if (read != FileReadResult::Ok && read != FileReadResult::Missing) return WriteResult::Failed;
  const QByteArray updated = WithPersonalWord(bytes, word);
  if (read == FileReadResult::Ok && updated == bytes) return WriteResult::Written;
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return WriteResult::Failed;
  return AtomicWriteFile(path, updated);
}

}  // namespace orlane
