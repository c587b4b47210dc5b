#include "platform/spell_dictionaries.h"

#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace orlane {

QStringList SpellDictionaryFolders() {
  if (qEnvironmentVariableIsSet("DICPATH"))
    return qEnvironmentVariable("DICPATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
  QStringList folders;
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    for (const char* sub : {"hunspell", "myspell"}) {
      const QString folder = WithTrailingSlash(data) + QLatin1String(sub);
      if (!folders.contains(folder)) folders << folder;
    }
  return folders;
}

std::vector<SpellDictionary> InstalledSpellDictionaries() {
  std::vector<SpellDictionary> found;
  for (const QString& folder : SpellDictionaryFolders()) {
    const QDir dir(folder);
    for (const QFileInfo& dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable)) {
      const QString language = dic.completeBaseName();
      const QFileInfo aff(dir.filePath(language + QStringLiteral(".aff")));
      if (!aff.isReadable() || language.startsWith(QLatin1String("hyph_"))) continue;
      if (std::any_of(found.begin(), found.end(), [&](const SpellDictionary& d) { return d.language == language; }))
        continue;
      found.push_back({language, aff.absoluteFilePath(), dic.absoluteFilePath()});
    }
  }
  std::sort(found.begin(), found.end(),
            [](const SpellDictionary& a, const SpellDictionary& b) { return a.language < b.language; });
  return found;
}

std::optional<SpellDictionary> PickSpellDictionary(const std::vector<SpellDictionary>& installed, const QString& choice,
                                                   const QString& localeName) {
  if (choice == QLatin1String(kSpellingOff)) return std::nullopt;
  const auto named = [&](const QString& language) -> std::optional<SpellDictionary> {
    for (const SpellDictionary& d : installed)
      if (d.language == language) return d;
    return std::nullopt;
  };
  if (!choice.isEmpty()) return named(choice);
  // "de_DE.UTF-8@euro" -> "de_DE"; C and POSIX are English.
  QString locale = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  if (locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX"))
    locale = QStringLiteral("en_US");
  if (auto exact = named(locale)) return exact;
  const QString language = locale.section(QLatin1Char('_'), 0, 0);
  for (const SpellDictionary& d : installed)
    if (d.language == language || d.language.startsWith(language + QLatin1Char('_'))) return d;
  return std::nullopt;
}

}  // namespace orlane
