// The Hunspell dictionaries installed on the machine and the one a choice
// stands for. A dictionary is a pair LANG.aff + LANG.dic in one of the
// dictionary folders: those DICPATH names (colon-separated, as for hunspell
// itself) when it is set, else "hunspell/" and "myspell/" of the data folders
// (~/.local/share, /usr/local/share, /usr/share). Listing only: nothing is
// loaded here.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace orlane {

struct SpellDictionary {
  QString language;  // "en_US", "de_DE": the file name without its suffix
  QString affPath;
  QString dicPath;
};

// The value of the spelling setting that turns the checking off.
inline constexpr char kSpellingOff[] = "off";

QStringList SpellDictionaryFolders();
// One entry per language, sorted by it; the first folder that has a language wins.
std::vector<SpellDictionary> InstalledSpellDictionaries();

// The dictionary of a choice: the chosen language when it is installed; an
// empty choice follows the locale (its language and country, else the same
// language of another country; the C locale counts as en_US). Nothing for
// kSpellingOff or when nothing fits.
std::optional<SpellDictionary> PickSpellDictionary(const std::vector<SpellDictionary>& installed, const QString& choice,
                                                   const QString& localeName);

}  // namespace orlane
