// orlanectl diary export --from --to --format: a year of pages as one book
// that Debian's Markdown reader and pdftotext read, in the asked order, with
// the pages of another password named.
#include "support/diary_pages.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace orlane;

namespace {
test::ProgramRun Ctl(const QStringList& args) {
  return test::RunProgram(QStringLiteral(ORLANE_CTL_PATH),
                          QStringList{QStringLiteral("--password"), QStringLiteral("pw")} + args, {}, 120000);
}

std::optional<QByteArray> Tool(const QString& program, const QStringList& args) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
  return test::RunProgram(program, args, {}, 120000).out;
}

// Every date's position in text, which must rise (or fall) day by day.
void ExpectDatesInOrder(const QByteArray& text, const QDate& first, int days, bool newestFirst) {
  qsizetype previous = newestFirst ? text.size() : -1;
  for (int i = 0; i < days; ++i) {
    // With the comma of its heading: the title names the first and the last date too.
    const QByteArray date = first.addDays(i).toString(Qt::ISODate).toLatin1() + ',';
    const qsizetype at = text.indexOf(date);
    ASSERT_GE(at, 0) << date.constData();
    if (newestFirst)
      EXPECT_LT(at, previous) << date.constData();
    else
      EXPECT_GT(at, previous) << date.constData();
    previous = at;
  }
}

class DiaryBookCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::RunProgram(QStringLiteral(ORLANE_CTL_PATH),
                               {QStringLiteral("user-file"), QStringLiteral("init"), QStringLiteral("pw")})
                  .exitCode,
              0);
    for (int i = 0; i < kDays; ++i)
      test::WriteDiaryDay(kFirst.addDays(i), test::RichPageRtf(QStringLiteral("word%1").arg(i), i % 7 == 0), "pw");
  }
  static constexpr int kDays = 366;  // 2024 is a leap year
  const QDate kFirst{2024, 1, 1};
  test::TempUserFolder folder;
};
}  // namespace

TEST_F(DiaryBookCli, aYearAsMarkdownThatDebiansReaderTakesWithItsPictures) {
  const QString out = folder.root() + QStringLiteral("year.md");
  const test::ProgramRun run = Ctl({QStringLiteral("diary"), QStringLiteral("export"), QStringLiteral("--from"),
                                    QStringLiteral("2024-01-01"), QStringLiteral("--to"), QStringLiteral("2024-12-31"),
                                    QStringLiteral("--format"), QStringLiteral("md"), out});
  ASSERT_EQ(run.exitCode, 0) << run.err.constData();
  EXPECT_EQ(run.out, "366 pages written to " + out.toUtf8() + "\n");
  EXPECT_EQ(QDir(folder.root() + QStringLiteral("year_files")).entryList(QDir::Files).size(), 53);
  const std::optional<QByteArray> html =
      Tool(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("markdown"), out});
  if (!html || html->isEmpty()) GTEST_SKIP() << "python3-markdown is not installed";
  EXPECT_EQ(html->count("<h2>"), kDays);
  ExpectDatesInOrder(*html, kFirst, kDays, false);
  EXPECT_EQ(html->count("<strong>strong</strong>"), kDays);
  EXPECT_EQ(html->count("<li>second item</li>"), kDays);
  // Every picture the HTML links is a file beside the book.
  qsizetype at = 0;
  int pictures = 0;
  while ((at = html->indexOf("src=\"", at)) >= 0) {
    at += 5;
    const QByteArray link = html->mid(at, html->indexOf('"', at) - at);
    EXPECT_TRUE(QImage(folder.root() + QString::fromUtf8(link)).width() == 8) << link.constData();
    ++pictures;
  }
  EXPECT_EQ(pictures, 53);
}

TEST_F(DiaryBookCli, aYearAsPdfInBothOrdersWithEveryDateAndWord) {
  const QString out = folder.root() + QStringLiteral("year.pdf");
  for (bool newestFirst : {false, true}) {
    QStringList args{QStringLiteral("diary"), QStringLiteral("export"), QStringLiteral("--from=2024-01-01"),
                     QStringLiteral("--to=2024-12-31"), out};  // the format from the suffix
    if (newestFirst) args.insert(2, QStringLiteral("--newest-first"));
    const test::ProgramRun run = Ctl(args);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const std::optional<QByteArray> text = Tool(QStringLiteral("pdftotext"), {out, QStringLiteral("-")});
    if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ExpectDatesInOrder(*text, kFirst, kDays, newestFirst);
    for (int i = 0; i < kDays; i += 61)
      EXPECT_TRUE(text->contains(QStringLiteral("word%1 strong").arg(i).toUtf8())) << i;
  }
}

TEST_F(DiaryBookCli, pagesOfAnotherPasswordAreNamedAndUsageErrorsRefused) {
  test::WriteDiaryDay(QDate(2025, 2, 3), test::RichPageRtf(QStringLiteral("hidden"), false), "someone");
  test::WriteDiaryDay(QDate(2025, 2, 4), test::RichPageRtf(QStringLiteral("shown"), false), "pw");
  const QString out = folder.root() + QStringLiteral("feb.txt");
  const test::ProgramRun run = Ctl(
      {QStringLiteral("diary"), QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2025-01-01"), out});
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_TRUE(run.err.endsWith("\nSkipped, written under another password: 2025-02-03\n")) << run.err.constData();
  QFile book(out);
  ASSERT_TRUE(book.open(QIODevice::ReadOnly));
  const QByteArray text = book.readAll();
  EXPECT_TRUE(text.contains("shown strong"));
  EXPECT_FALSE(text.contains("hidden"));

  const auto status = [&](const QStringList& args) {
    return Ctl(QStringList{QStringLiteral("diary"), QStringLiteral("export")} + args).exitCode;
  };
  EXPECT_EQ(status({QStringLiteral("--from"), QStringLiteral("2030-01-01"), out}), 1);  // no pages there
  EXPECT_EQ(status({QStringLiteral("--from"), QStringLiteral("2024-13-01"), out}), 2);
  EXPECT_EQ(status({QStringLiteral("--from"), QStringLiteral("2024-02-01"), QStringLiteral("--to"),
                    QStringLiteral("2024-01-01"), out}),
            2);
  EXPECT_EQ(status({QStringLiteral("--from"), QStringLiteral("2024-01-01"), QStringLiteral("--format"),
                    QStringLiteral("rtf"), out}),
            2);
  EXPECT_EQ(
      status({QStringLiteral("--from"), QStringLiteral("2024-01-01"), folder.root() + QStringLiteral("book.doc")}), 2);
  EXPECT_EQ(status({QStringLiteral("--to"), QStringLiteral("2024-01-01")}), 2);
  EXPECT_EQ(test::RunProgram(QStringLiteral(ORLANE_CTL_PATH),
                             {QStringLiteral("--password"), QStringLiteral("bad"), QStringLiteral("diary"),
                              QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2024-01-01"), out})
                .exitCode,
            3);
}
