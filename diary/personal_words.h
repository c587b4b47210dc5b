// The user's own words for the spell checking: a UTF-8 file of one word per
// line in the configuration folder, as Hunspell's personal dictionaries are.
// Adding a word rereads the file and appends to what is there, so a word
// another copy added meanwhile stays, and lines this reader skips (blank,
// "*forbidden", comments) are kept as they are.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace orlane {

// "~/.config/orlane/personal.dic".
QString PersonalWordsPath();

// The words of the file's bytes: each line trimmed, without blank lines,
// lines that begin with '*' or '#', and the "/flags" after a word.
QStringList ParsePersonalWords(QByteArrayView bytes);
// The bytes with word as a line of its own at the end (unchanged when it is there).
QByteArray WithPersonalWord(QByteArrayView bytes, const QString& word);

QStringList ReadPersonalWords(const QString& path);
WriteResult AddPersonalWord(const QString& path, const QString& word);

}  // namespace orlane
