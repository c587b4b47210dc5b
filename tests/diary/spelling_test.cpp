// The spell checking's parts with a small Hunspell dictionary of the test's
// own: the words of a paragraph, the personal word list, the choice of a
// dictionary, the session's checks off the GUI thread and the highlighter's
// marks, which never touch the page.
#include "diary/personal_words.h"
#include "diary/rtf_writer.h"
#include "diary/spell_highlighter.h"
#include "diary/spell_session.h"
#include "diary/spell_words.h"
#include "platform/spell_dictionaries.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

using namespace orlane;

namespace {
QStringList Words(const QString& text) {
  QStringList words;
  for (const WordSpan& s : SpellWords(text)) words << text.mid(s.start, s.length);
  return words;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A dictionary folder named by DICPATH with one small English dictionary.
class SmallDictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = folder.root() + QStringLiteral("dict/");
    QDir().mkpath(folder_);
    WriteFile(folder_ + QStringLiteral("en_GB.aff"), "SET UTF-8\nTRY esianrtolcdugmphbyfvkwz'\n");
    WriteFile(folder_ + QStringLiteral("en_GB.dic"), "7\nhello\nworld\ndiary\nold\nlion\nhome\nmistake\n");
    qputenv("DICPATH", folder_.toUtf8());
  }
  void TearDown() override { qunsetenv("DICPATH"); }

  SpellDictionary Dictionary() const {
    return {QStringLiteral("en_GB"), folder_ + QStringLiteral("en_GB.aff"), folder_ + QStringLiteral("en_GB.dic")};
  }
  static void WaitForChecks(SpellSession& session, const QStringList& words) {
    QElapsedTimer clock;
    clock.start();
    const auto known = [&] {
      for (const QString& w : words)
        if (session.state(w) == SpellSession::WordState::Unknown) return false;
      return true;
    };
    while (!known() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  test::TempUserFolder folder;
  QString folder_;
};

// The wave-underlined ranges of a block's layout.
std::vector<std::pair<int, int>> WaveRanges(const QTextBlock& block) {
  std::vector<std::pair<int, int>> ranges;
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    if (r.format.underlineStyle() == QTextCharFormat::WaveUnderline) ranges.emplace_back(r.start, r.length);
  return ranges;
}
}  // namespace

TEST(SpellWords, lettersWithInnerApostrophesButNoAddressesDigitsOrSingleLetters) {
  EXPECT_EQ(Words(QStringLiteral("Don't stop, 'quoted' words.")),
            (QStringList{QStringLiteral("Don't"), QStringLiteral("stop"), QStringLiteral("quoted"),
                         QStringLiteral("words")}));
  EXPECT_EQ(Words(QStringLiteral("3rd mp3 a I x2 b4c ok")), QStringList{QStringLiteral("ok")});
  EXPECT_EQ(Words(QStringLiteral("see https://example.org/some/path and me@mail.org www.site.de end")),
            (QStringList{QStringLiteral("see"), QStringLiteral("and"), QStringLiteral("end")}));
  EXPECT_EQ(Words(QStringLiteral("Grüße, naïve café well-known")),
            (QStringList{QStringLiteral("Grüße"), QStringLiteral("naïve"), QStringLiteral("café"),
                         QStringLiteral("well"), QStringLiteral("known")}));
  EXPECT_TRUE(SpellWords(QString()).empty());
  EXPECT_TRUE(SpellWords(QStringLiteral("'''  \u2019\u2019 - 123")).empty());
  // A long paragraph is split in one pass.
  const QString longText = QStringLiteral("word ").repeated(200000);
  EXPECT_EQ(SpellWords(longText).size(), 200000u);
}

TEST(PersonalWords, parsedLinesAndAppendingKeepWhatIsThere) {
  const QByteArray file = "# mine\nOrlane\n*forbidden\n\n  Kiel  \nword/ABC\r\n";
  EXPECT_EQ(ParsePersonalWords(file),
            (QStringList{QStringLiteral("Orlane"), QStringLiteral("Kiel"), QStringLiteral("word")}));
  EXPECT_EQ(WithPersonalWord(file, QStringLiteral("Kiel")), file);
  EXPECT_EQ(WithPersonalWord(file, QStringLiteral("Tübingen")), file + QByteArray("Tübingen\n"));
  EXPECT_EQ(WithPersonalWord("no newline", QStringLiteral("next")), QByteArray("no newline\nnext\n"));
  EXPECT_EQ(WithPersonalWord("", QStringLiteral(" ")), QByteArray());
  EXPECT_EQ(WithPersonalWord("", QStringLiteral("two\nlines")), QByteArray());
  // Hostile bytes: invalid UTF-8, zeros, a cut multi-byte letter, one huge line.
  const QByteArray hostile = QByteArray("\xff\xfe\x00\x01zz\n\xc3", 8) + QByteArray(1 << 20, 'a');
  EXPECT_EQ(ParsePersonalWords(hostile).size(), 2);
  EXPECT_TRUE(WithPersonalWord(hostile, QStringLiteral("new")).endsWith("\nnew\n"));
}

TEST_F(SmallDictionary, addedWordsGoToTheListBesideWhatAnotherWriterAdded) {
  const QString path = PersonalWordsPath();
  EXPECT_TRUE(path.startsWith(folder.root() + QStringLiteral("config/")));
  ASSERT_EQ(AddPersonalWord(path, QStringLiteral("Orlane")), WriteResult::Written);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::Append));
  f.write("*never\nKiel\n");  // another copy of the program, meanwhile
  f.close();
  ASSERT_EQ(AddPersonalWord(path, QStringLiteral("Tübingen")), WriteResult::Written);
  ASSERT_EQ(AddPersonalWord(path, QStringLiteral("Kiel")), WriteResult::Written);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Orlane\n*never\nKiel\nTübingen\n"));
  EXPECT_EQ(ReadPersonalWords(path).size(), 3);
}

TEST_F(SmallDictionary, installedDictionariesAndTheChoiceOfOne) {
  WriteFile(folder_ + QStringLiteral("de_DE.aff"), "SET UTF-8\n");
  WriteFile(folder_ + QStringLiteral("de_DE.dic"), "1\nTag\n");
  WriteFile(folder_ + QStringLiteral("fr_FR.dic"), "1\njour\n");  // no .aff: not a dictionary
  const std::vector<SpellDictionary> installed = InstalledSpellDictionaries();
  ASSERT_EQ(installed.size(), 2u);
  EXPECT_EQ(installed[0].language, QStringLiteral("de_DE"));
  EXPECT_EQ(installed[1].language, QStringLiteral("en_GB"));
  const auto pick = [&](const char* choice, const char* locale) {
    const std::optional<SpellDictionary> d =
        PickSpellDictionary(installed, QString::fromLatin1(choice), QString::fromLatin1(locale));
    return d ? d->language : QStringLiteral("none");
  };
  EXPECT_EQ(pick("", "de_DE"), QStringLiteral("de_DE"));
  EXPECT_EQ(pick("", "de_AT.UTF-8"), QStringLiteral("de_DE"));  // the same language
  EXPECT_EQ(pick("", "C"), QStringLiteral("en_GB"));            // C is English
  EXPECT_EQ(pick("", "fr_FR"), QStringLiteral("none"));
  EXPECT_EQ(pick("en_GB", "de_DE"), QStringLiteral("en_GB"));
  EXPECT_EQ(pick("nl_NL", "de_DE"), QStringLiteral("none"));  // chosen, not installed
  EXPECT_EQ(pick("off", "de_DE"), QStringLiteral("none"));
  qputenv("DICPATH", (folder.root() + QStringLiteral("nothing")).toUtf8());
  EXPECT_TRUE(InstalledSpellDictionaries().empty());
}

TEST_F(SmallDictionary, sessionChecksOffTheGuiThreadSuggestsAndKeepsTheUsersWords) {
  SpellSession session(Dictionary(), PersonalWordsPath());
  ASSERT_TRUE(session.isValid()) << session.why().toStdString();
  QSignalSpy checked(&session, &SpellSession::wordsChecked);
  const QStringList words{QStringLiteral("hello"), QStringLiteral("helo"), QStringLiteral("Orlane")};
  EXPECT_EQ(session.state(QStringLiteral("helo")), SpellSession::WordState::Unknown);
  session.request(words);
  WaitForChecks(session, words);
  EXPECT_GE(checked.count(), 1);
  EXPECT_EQ(session.state(QStringLiteral("hello")), SpellSession::WordState::Correct);
  EXPECT_EQ(session.state(QStringLiteral("helo")), SpellSession::WordState::Misspelled);
  EXPECT_TRUE(session.suggestions(QStringLiteral("helo")).contains(QStringLiteral("hello")));
  EXPECT_TRUE(session.suggestions(QString(SpellChecker::kLongestWord + 1, QLatin1Char('x'))).isEmpty());

  ASSERT_EQ(session.addToDictionary(QStringLiteral("Orlane")), WriteResult::Written);
  session.ignore(QStringLiteral("helo"));
  EXPECT_EQ(session.state(QStringLiteral("Orlane")), SpellSession::WordState::Correct);
  EXPECT_EQ(session.state(QStringLiteral("helo")), SpellSession::WordState::Correct);

  // The next run knows the added word from the list, not the ignored one.
  SpellSession next(Dictionary(), PersonalWordsPath());
  EXPECT_TRUE(next.isCorrectNow(QStringLiteral("Orlane")));
  EXPECT_FALSE(next.isCorrectNow(QStringLiteral("helo")));
}

TEST_F(SmallDictionary, aDictionaryThatCannotBeReadIsRefusedWithAReason) {
  SpellSession missing({QStringLiteral("xx_XX"), folder_ + QStringLiteral("x.aff"), folder_ + QStringLiteral("x.dic")},
                       PersonalWordsPath());
  EXPECT_FALSE(missing.isValid());
  EXPECT_TRUE(missing.why().contains(QStringLiteral("xx_XX")));
  WriteFile(folder_ + QStringLiteral("odd.aff"), "SET X-NO-SUCH-CHARSET\n");
  WriteFile(folder_ + QStringLiteral("odd.dic"), "1\nword\n");
  SpellSession odd({QStringLiteral("odd"), folder_ + QStringLiteral("odd.aff"), folder_ + QStringLiteral("odd.dic")},
                   PersonalWordsPath());
  EXPECT_FALSE(odd.isValid());
  EXPECT_TRUE(odd.why().contains(QStringLiteral("X-NO-SUCH-CHARSET")));
}

TEST_F(SmallDictionary, highlighterMarksOnlyTheMisspelledWordAndNeverThePage) {
  QTextDocument page;
  QTextCursor cursor(&page);
  cursor.insertText(QStringLiteral("hello helo world\nold lion at home"));
  page.setModified(false);
  const QByteArray before = RtfWriter().write(page);
  QSignalSpy changed(&page, &QTextDocument::contentsChanged);

  SpellSession session(Dictionary(), PersonalWordsPath());
  auto* highlighter = new SpellHighlighter(&page, &session, QColor(240, 146, 53));
  WaitForChecks(session, {QStringLiteral("helo"), QStringLiteral("lion"), QStringLiteral("at")});
  QCoreApplication::processEvents();
  EXPECT_EQ(WaveRanges(page.begin()), (std::vector<std::pair<int, int>>{{6, 4}}));
  EXPECT_EQ(WaveRanges(page.begin().next()), (std::vector<std::pair<int, int>>{{9, 2}}));  // "at" is not in it
  const QTextLayout::FormatRange wave = page.begin().layout()->formats().first();
  EXPECT_EQ(wave.format.underlineColor(), QColor(240, 146, 53));

  highlighter->SetWaveColor(QColor(10, 20, 30));
  EXPECT_EQ(page.begin().layout()->formats().first().format.underlineColor(), QColor(10, 20, 30));
  session.ignore(QStringLiteral("helo"));
  EXPECT_TRUE(WaveRanges(page.begin()).empty());

  EXPECT_FALSE(page.isModified());
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(RtfWriter().write(page), before);
  delete highlighter;
  EXPECT_EQ(RtfWriter().write(page), before);
}
