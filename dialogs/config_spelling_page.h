// The second page of the settings dialog: the dictionary of the diary's
// spell checking. It lists the installed dictionaries, "Follow the locale"
// and "Off", and says in words why the checking is off when it is.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;

namespace orlane {

class ConfigSpellingPage final : public QWidget {
  Q_OBJECT

 public:
  // choice: the setting's value ("" follows the locale, "off", or a
  // language); problem: what went wrong loading its dictionary, if anything.
  ConfigSpellingPage(const QString& choice, const QString& problem, QWidget* parent);
  Q_DISABLE_COPY_MOVE(ConfigSpellingPage)

  // The setting's value the list shows now.
  QString Choice() const;
  QComboBox* LanguageList() const { return languages_; }
  // Why the spelling is not checked with the choice shown; empty when it is.
  QString Why() const;

 private:
  void ShowWhy();

  QComboBox* languages_ = nullptr;
  QLabel* why_ = nullptr;
  QString problem_;
  QString problemChoice_;
};

}  // namespace orlane
