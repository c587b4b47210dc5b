// The diary as one book: every day's heading and page in the asked order, the
// pictures beside the Markdown and inside the HTML, page numbers in the PDF,
// the pages that are not in the book named, and nothing written on Cancel.
#include "diary/diary_book.h"
#include "support/diary_pages.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace orlane;

namespace {
const QDate kFirst(2024, 3, 1);

QString Key(const QDate& d) {
  return MakeDayKey(d.year(), d.month(), d.day());
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Output of a tool of the distribution, or nothing when it is not installed.
std::optional<QByteArray> Tool(const QString& program, const QStringList& args) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return std::nullopt;
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return p.readAllStandardOutput();
}

class DiaryBook : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i)
      test::WriteDiaryDay(kFirst.addDays(i), test::RichPageRtf(QStringLiteral("day%1").arg(i), i != 1), "pw");
    test::WriteDiaryDay(kFirst.addDays(5), test::RichPageRtf(QStringLiteral("secret"), false), "other");
    QFile broken(DayFilePath(Key(kFirst.addDays(6)), DayFileKind::Diary));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("short");  // not even a password header
  }

  DiaryBookRequest Request(BookFormat format, const char* name) const {
    DiaryBookRequest r;
    r.fromKey = Key(kFirst);
    r.toKey = Key(kFirst.addDays(30));
    r.format = format;
    r.outPath = folder.root() + QLatin1String(name);
    r.password = "pw";
    return r;
  }

  test::TempUserFolder folder;
};
}  // namespace

TEST_F(DiaryBook, markdownHasEveryHeadingInOrderAndItsPicturesBesideIt) {
  const DiaryBookResult result = WriteDiaryBook(Request(BookFormat::Markdown, "book.md"));
  ASSERT_EQ(result.status, BookStatus::Written);
  EXPECT_EQ(result.pages, 3);
  EXPECT_EQ(result.otherPassword, QStringList{QStringLiteral("2024-03-06")});
  EXPECT_EQ(result.unreadable, QStringList{QStringLiteral("2024-03-07")});
  const QString md = QString::fromUtf8(ReadAll(folder.root() + QStringLiteral("book.md")));
  const qsizetype d0 = md.indexOf(QStringLiteral("## 2024-03-01, Friday"));
  const qsizetype d1 = md.indexOf(QStringLiteral("## 2024-03-02, Saturday"));
  const qsizetype d5 = md.indexOf(QStringLiteral("## 2024-03-06, Wednesday"));
  ASSERT_GE(d0, 0);
  EXPECT_LT(d0, d1);
  EXPECT_LT(d1, d5);
  EXPECT_TRUE(md.startsWith(QStringLiteral("# Diary 2024-03-01 to 2024-03-07")));
  EXPECT_TRUE(md.contains(QStringLiteral("day0 **strong**")));
  EXPECT_TRUE(md.contains(QStringLiteral("- first item")));
  EXPECT_TRUE(md.contains(QStringLiteral("another password")));
  EXPECT_FALSE(md.contains(QStringLiteral("secret")));
  EXPECT_TRUE(md.contains(QStringLiteral("![image](book_files/2024-03-01-1.png)")));
  EXPECT_TRUE(md.contains(QStringLiteral("![image](book_files/2024-03-03-1.png)")));
  const QImage picture(folder.root() + QStringLiteral("book_files/2024-03-01-1.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(8, 6));
  EXPECT_EQ(QDir(folder.root() + QStringLiteral("book_files")).entryList(QDir::Files).size(), 2);

  // As Debian's Markdown reader takes it.
  const std::optional<QByteArray> html =
      Tool(QStringLiteral("python3"),
           {QStringLiteral("-m"), QStringLiteral("markdown"), folder.root() + QStringLiteral("book.md")});
  if (html && !html->isEmpty()) {
    EXPECT_TRUE(html->contains("<h2>2024-03-01, Friday</h2>")) << html->constData();
    EXPECT_TRUE(html->contains("<strong>strong</strong>"));
    EXPECT_TRUE(html->contains("<li>first item</li>"));
    EXPECT_TRUE(html->contains("<img alt=\"image\" src=\"book_files/2024-03-01-1.png\""));
  }
}

TEST_F(DiaryBook, newestFirstHtmlWithInlinePicturesAndTextWithoutThem) {
  DiaryBookRequest html = Request(BookFormat::Html, "book.html");
  html.order = BookOrder::NewestFirst;
  ASSERT_EQ(WriteDiaryBook(html).status, BookStatus::Written);
  const QByteArray page = ReadAll(html.outPath);
  EXPECT_LT(page.indexOf("2024-03-07, Thursday"), page.indexOf("2024-03-01, Friday"));
  EXPECT_EQ(page.count("src=\"data:image/png;base64,"), 2);
  EXPECT_TRUE(page.contains("<title>Diary 2024-03-01 to 2024-03-07</title>"));
  EXPECT_FALSE(QFileInfo::exists(folder.root() + QStringLiteral("book_files")));

  ASSERT_EQ(WriteDiaryBook(Request(BookFormat::Text, "book.txt")).status, BookStatus::Written);
  const QByteArray text = ReadAll(folder.root() + QStringLiteral("book.txt"));
  EXPECT_TRUE(text.contains("2024-03-02, Saturday\nday1 strong\nfirst item\nsecond item\n end\n")) << text.constData();
  EXPECT_FALSE(text.contains("\xef\xbf\xbc"));  // no object characters
}

TEST_F(DiaryBook, pdfHoldsEveryDateInOrderWithPageNumbers) {
  // Long enough for a second sheet.
  test::WriteDiaryDay(kFirst.addDays(3), test::RichPageRtf(QStringLiteral("long ").repeated(3000), false), "pw");
  const DiaryBookRequest request = Request(BookFormat::Pdf, "book.pdf");
  ASSERT_EQ(WriteDiaryBook(request).status, BookStatus::Written);
  const QByteArray pdf = ReadAll(request.outPath);
  ASSERT_TRUE(pdf.startsWith("%PDF-"));
  const std::optional<QByteArray> text = Tool(QStringLiteral("pdftotext"), {request.outPath, QStringLiteral("-")});
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  qsizetype at = -1;
  // Each date with the comma of its heading: the title names the first and the last too.
  for (const char* date : {"2024-03-01,", "2024-03-02,", "2024-03-03,", "2024-03-04,", "2024-03-06,", "2024-03-07,"}) {
    const qsizetype next = text->indexOf(date);
    EXPECT_GT(next, at) << date;
    at = next;
  }
  EXPECT_TRUE(text->contains("day2 strong"));
  EXPECT_TRUE(text->contains("\n2\n")) << "no page number 2";
}

TEST_F(DiaryBook, cancelledWritesNothingAndProgressCountsEveryPage) {
  std::vector<int> seen;
  const DiaryBookResult cancelled = WriteDiaryBook(Request(BookFormat::Markdown, "book.md"), [&](int done, int total) {
    seen.push_back(done);
    EXPECT_EQ(total, 6);  // five day files and the writing
    return done < 2;
  });
  EXPECT_EQ(cancelled.status, BookStatus::Cancelled);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(QFileInfo::exists(folder.root() + QStringLiteral("book.md")));
  EXPECT_FALSE(QFileInfo::exists(folder.root() + QStringLiteral("book_files")));

  seen.clear();
  EXPECT_EQ(WriteDiaryBook(Request(BookFormat::Text, "book.txt"),
                           [&](int done, int) {
                             seen.push_back(done);
                             return true;
                           })
                .status,
            BookStatus::Written);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(DiaryBook, noPagesInTheRangeAndAFileThatCannotBeWrittenAreTold) {
  DiaryBookRequest empty = Request(BookFormat::Markdown, "none.md");
  empty.fromKey = Key(QDate(2025, 1, 1));
  empty.toKey = Key(QDate(2025, 12, 31));
  EXPECT_EQ(WriteDiaryBook(empty).status, BookStatus::NoPages);
  EXPECT_FALSE(QFileInfo::exists(empty.outPath));

  const DiaryBookResult failed = WriteDiaryBook(Request(BookFormat::Html, "missing/folder/book.html"));
  EXPECT_EQ(failed.status, BookStatus::WriteFailed);
  EXPECT_TRUE(failed.failedPath.endsWith(QStringLiteral("missing/folder/book.html")));
  EXPECT_FALSE(failed.failure.isEmpty());

  EXPECT_EQ(BookFormatNamed(QStringLiteral("pdf")), BookFormat::Pdf);
  EXPECT_FALSE(BookFormatNamed(QStringLiteral("rtf")).has_value());
  EXPECT_EQ(BookPictureFolder(QStringLiteral("/a/my.book.md")), QStringLiteral("/a/my.book_files"));
}
