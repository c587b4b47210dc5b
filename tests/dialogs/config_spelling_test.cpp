// The settings dialog's second page: the installed dictionaries to choose
// from, the choice kept after OK and dropped on Cancel, and in words why the
// spelling is not checked when it is not.
#include "controls/mac_button.h"
#include "dialog_driver.h"
#include "dialogs/config_dlg.h"
#include "dialogs/config_spelling_page.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>

using namespace orlane;

namespace {
struct ConfigSpelling : ::testing::Test {
  void SetUp() override {
    dictionaries = folder.root() + QStringLiteral("dict/");
    QDir().mkpath(dictionaries);
    for (const char* language : {"de_DE", "en_US"})
      for (const char* suffix : {".aff", ".dic"}) {
        QFile f(dictionaries + QLatin1String(language) + QLatin1String(suffix));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(suffix[1] == 'a' ? "SET UTF-8\n" : "1\nword\n");
      }
    qputenv("DICPATH", dictionaries.toUtf8());
  }
  void TearDown() override { qunsetenv("DICPATH"); }

  test::TempUserFolder folder;
  QString dictionaries;
};
}  // namespace

TEST_F(ConfigSpelling, theSecondPageListsTheDictionariesAndKeepsTheChoiceAfterOk) {
  CConfigDlg dlg(Settings{}, 6);
  dlg.SetSpelling(QString(), QString());
  dlg.EnsureInitialized();
  dlg.OnCommand(CConfigDlg::kPageId);
  ConfigSpellingPage* page = dlg.SpellingPage();
  EXPECT_FALSE(page->isHidden());
  EXPECT_EQ(dlg.Button(CConfigDlg::kPageId)->text(), QStringLiteral("<< &Back"));
  QComboBox* list = page->LanguageList();
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->itemText(0), QStringLiteral("Follow the locale (en_US)"));  // the tests' C locale is English
  EXPECT_EQ(list->itemText(1), QStringLiteral("Off"));
  EXPECT_EQ(list->itemText(2), QStringLiteral("German (Germany), de_DE"));
  EXPECT_EQ(page->Why(), QString());
  list->setCurrentIndex(2);
  test::SaveShot(test::Shot(dlg), QStringLiteral("config_spelling.png"));
  dlg.OnCommand(1);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.spellingChoice(), QStringLiteral("de_DE"));

  CConfigDlg cancelled(Settings{}, 6);
  cancelled.SetSpelling(QStringLiteral("de_DE"), QString());
  cancelled.EnsureInitialized();
  EXPECT_EQ(cancelled.SpellingPage()->LanguageList()->currentIndex(), 2);
  cancelled.SpellingPage()->LanguageList()->setCurrentIndex(1);
  EXPECT_EQ(cancelled.SpellingPage()->Why(), QStringLiteral("The spelling is not checked."));
  cancelled.OnCommand(2);
  EXPECT_EQ(cancelled.spellingChoice(), QStringLiteral("de_DE"));
}

TEST_F(ConfigSpelling, thePageSaysWhyTheSpellingIsOff) {
  const auto why = [](const QString& choice, const QString& problem) {
    CConfigDlg dlg(Settings{}, 6);
    dlg.SetSpelling(choice, problem);
    dlg.EnsureInitialized();
    return dlg.SpellingPage()->Why();
  };
  EXPECT_EQ(why(QStringLiteral("nl_NL"), QString()),
            QStringLiteral("The spelling is not checked: the dictionary nl_NL is not installed."));
  EXPECT_EQ(why(QString(), QStringLiteral("The dictionary en_US cannot be read.")),
            QStringLiteral("The spelling is not checked. The dictionary en_US cannot be read."));
  qputenv("DICPATH", (folder.root() + QStringLiteral("none")).toUtf8());
  EXPECT_TRUE(
      why(QString(), QString()).startsWith(QStringLiteral("The spelling is not checked: no dictionary is installed.")));
}
