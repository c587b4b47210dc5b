#include "dialogs/config_spelling_page.h"

#include "platform/spell_dictionaries.h"
#include "security/edge_rect.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>

namespace orlane {

namespace {
QString LanguageName(const QString& language) {
  const QLocale locale(language);
  if (locale.language() == QLocale::C) return language;
  return QStringLiteral("%1 (%2), %3")
      .arg(QLocale::languageToString(locale.language()), QLocale::territoryToString(locale.territory()), language);
}
}  // namespace

ConfigSpellingPage::ConfigSpellingPage(const QString& choice, const QString& problem, QWidget* parent)
    : QWidget(parent), problem_(problem), problemChoice_(choice) {
  setAutoFillBackground(true);  // covers the first page
  const int w = parent->width();
  auto* group = new QGroupBox(QStringLiteral("Spelling in the diary"), this);
  group->setGeometry(EdgeRect(20, 0, w - 20, 150));
  auto* label = new QLabel(QStringLiteral("Dictionary:"), this);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setGeometry(EdgeRect(30, 22, 110, 36));
  languages_ = new QComboBox(this);
  languages_->setGeometry(120, 20, w - 40 - 120, 20);
  const std::optional<SpellDictionary> followed =
      PickSpellDictionary(InstalledSpellDictionaries(), QString(), QLocale::system().name());
  languages_->addItem(
      followed ? QStringLiteral("Follow the locale (%1)").arg(followed->language) : QStringLiteral("Follow the locale"),
      QString());
  languages_->addItem(QStringLiteral("Off"), QLatin1String(kSpellingOff));
  for (const SpellDictionary& d : InstalledSpellDictionaries())
    languages_->addItem(LanguageName(d.language), d.language);
  int index = languages_->findData(choice);
  if (index < 0) {
    // A language set before its dictionary went away stays the setting until another is chosen.
    languages_->addItem(choice, choice);
    index = languages_->count() - 1;
  }
  languages_->setCurrentIndex(index);
  why_ = new QLabel(this);
  why_->setWordWrap(true);
  why_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  why_->setGeometry(EdgeRect(35, 50, w - 35, 140));
  connect(languages_, &QComboBox::currentIndexChanged, this, &ConfigSpellingPage::ShowWhy);
  ShowWhy();
}

QString ConfigSpellingPage::Choice() const {
  return languages_->currentData().toString();
}

QString ConfigSpellingPage::Why() const {
  const QString choice = Choice();
  if (choice == QLatin1String(kSpellingOff)) return QStringLiteral("The spelling is not checked.");
  const std::vector<SpellDictionary> installed = InstalledSpellDictionaries();
  if (installed.empty())
    return QStringLiteral(
        "The spelling is not checked: no dictionary is installed. Install a Hunspell dictionary "
        "(such as the package hunspell-en-us) to have it checked.");
  if (!PickSpellDictionary(installed, choice, QLocale::system().name())) {
    if (!choice.isEmpty())
      return QStringLiteral("The spelling is not checked: the dictionary %1 is not installed.").arg(choice);
    return QStringLiteral("The spelling is not checked: no installed dictionary is of the locale's language (%1).")
        .arg(QLocale::system().name());
  }
  if (choice == problemChoice_ && !problem_.isEmpty())
    return QStringLiteral("The spelling is not checked. ") + problem_;
  return {};
}

void ConfigSpellingPage::ShowWhy() {
  why_->setText(Why());
}

}  // namespace orlane
