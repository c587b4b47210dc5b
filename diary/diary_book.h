// The diary of a range of days as one book: every page in date order (or the
// newest first) under its date as heading, written as Markdown (pictures as
// files in a folder beside it, linked), HTML (pictures inline), PDF (page
// numbers, black on white) or plain text. Pages of another password and pages
// that cannot be read are named in the book and in the result, never left out
// silently. Nothing is written when the export is cancelled.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace orlane {

enum class BookFormat { Markdown, Html, Pdf, Text };
enum class BookOrder { OldestFirst, NewestFirst };

// "md", "html", "pdf", "txt".
std::optional<BookFormat> BookFormatNamed(const QString& name);
const char* BookFormatSuffix(BookFormat format);

struct DiaryBookRequest {
  QString fromKey;  // day keys, both inclusive
  QString toKey;
  BookFormat format = BookFormat::Markdown;
  BookOrder order = BookOrder::OldestFirst;
  QString outPath;
  QByteArray password;  // the pages written under it are shown
};

enum class BookStatus { Written, NoPages, Cancelled, WriteFailed };

struct DiaryBookResult {
  BookStatus status = BookStatus::NoPages;
  int pages = 0;              // pages in the book
  QStringList otherPassword;  // ISO dates of the pages of another password
  QStringList unreadable;     // ISO dates of the pages that could not be read
  QString failedPath;         // the file that could not be written
  QString failure;            // why, in the system's words
};

// done of total steps; returning false cancels. Called from the thread that
// runs WriteDiaryBook.
using BookProgress = std::function<bool(int done, int total)>;

// The Markdown book's picture folder: OUT without its suffix + "_files".
QString BookPictureFolder(const QString& outPath);

// The lines an export's outcome adds for the days it left out or could not
// read completely (empty when there are none), each after a line break.
QString LeftOutDaysText(const QStringList& otherPassword, const QStringList& unreadable);

// Writes the book. The PDF needs a QGuiApplication (it lays out text); the
// other formats run under a QCoreApplication too.
DiaryBookResult WriteDiaryBook(const DiaryBookRequest& request, const BookProgress& progress = {});

}  // namespace orlane
