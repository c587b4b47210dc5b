#include "diary/diary_book.h"

#include "days/day_files.h"
#include "diary/book_document.h"
#include "diary/book_output.h"
#include "diary/rtf_reader.h"
#include "platform/file_io.h"
#include "security/scramble.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace orlane {

namespace {
constexpr char kOtherPasswordNote[] = "This page was written under another password and is not in this book.";
constexpr char kUnreadableNote[] = "This page could not be read and is not in this book.";

QString BookTitle(const QDate& first, const QDate& last) {
  if (first == last) return QStringLiteral("Diary ") + first.toString(Qt::ISODate);
  return QStringLiteral("Diary ") + first.toString(Qt::ISODate) + QStringLiteral(" to ") + last.toString(Qt::ISODate);
}

enum class PageRead { Shown, OtherPassword, Unreadable, Gone };

PageRead ReadPage(const QString& key, const QByteArray& password, QTextDocument& page) {
  QByteArray bytes;
  switch (ReadFileBytes(DayFilePath(key, DayFileKind::Diary), bytes)) {
    case FileReadResult::Ok: break;
    case FileReadResult::Missing: return PageRead::Gone;  // removed since the folder was listed
    default: return PageRead::Unreadable;
  }
  switch (CheckPasswordHeader(bytes, password)) {
    case PasswordHeaderCheck::Matches: break;
    case PasswordHeaderCheck::OtherPassword: return PageRead::OtherPassword;
    case PasswordHeaderCheck::TooShort: return PageRead::Unreadable;
  }
  return RtfReader().read(UnwrapPasswordHeader(bytes), page) ? PageRead::Shown : PageRead::Unreadable;
}
}  // namespace

QString LeftOutDaysText(const QStringList& otherPassword, const QStringList& unreadable) {
  QString text;
  if (!otherPassword.isEmpty())
    text += QStringLiteral("\nNot in it, written under another password: ") + otherPassword.join(QStringLiteral(", "));
  if (!unreadable.isEmpty())
    text += QStringLiteral("\nNot complete, could not be read: ") + unreadable.join(QStringLiteral(", "));
  return text;
}

std::optional<BookFormat> BookFormatNamed(const QString& name) {
  for (BookFormat f : {BookFormat::Markdown, BookFormat::Html, BookFormat::Pdf, BookFormat::Text})
    if (name == QLatin1String(BookFormatSuffix(f))) return f;
  return std::nullopt;
}

const char* BookFormatSuffix(BookFormat format) {
  switch (format) {
    case BookFormat::Markdown: return "md";
    case BookFormat::Html: return "html";
    case BookFormat::Pdf: return "pdf";
    case BookFormat::Text: return "txt";
  }
  return "";
}

QString BookPictureFolder(const QString& outPath) {
  const QFileInfo out(outPath);
  return out.dir().filePath(out.completeBaseName() + QStringLiteral("_files"));
}

DiaryBookResult WriteDiaryBook(const DiaryBookRequest& request, const BookProgress& progress) {
  DiaryBookResult result;
  QStringList keys = DayKeysWithFile(DayFileKind::Diary, request.fromKey, request.toKey);
  if (keys.isEmpty()) return result;
  if (request.order == BookOrder::NewestFirst) std::reverse(keys.begin(), keys.end());
  const int total = static_cast<int>(keys.size()) + 1;
  const auto cancelled = [&](int done) { return progress && !progress(done, total); };

  const QString link =
      QString::fromUtf8(QUrl::toPercentEncoding(QFileInfo(BookPictureFolder(request.outPath)).fileName())) +
      QLatin1Char('/');
  BookDocument book(request.format, link);
  const QDate first = DayKeyDate(keys.first());
  const QDate last = DayKeyDate(keys.last());
  book.AddTitle(BookTitle(std::min(first, last), std::max(first, last)));
  for (int i = 0; i < keys.size(); ++i) {
    if (cancelled(i)) {
      result.status = BookStatus::Cancelled;
      return result;
    }
    const QDate date = DayKeyDate(keys[i]);
    QTextDocument page;
    const PageRead read = ReadPage(keys[i], request.password, page);
    if (read == PageRead::Gone) continue;
    book.AddHeading(date);
    if (read == PageRead::Shown) {
      book.AddPage(page, date);
      ++result.pages;
    } else if (read == PageRead::OtherPassword) {
      book.AddNote(QLatin1String(kOtherPasswordNote));
      result.otherPassword << date.toString(Qt::ISODate);
    } else {
      book.AddNote(QLatin1String(kUnreadableNote));
      result.unreadable << date.toString(Qt::ISODate);
    }
  }
  if (cancelled(total - 1)) {
    result.status = BookStatus::Cancelled;
    return result;
  }
  WriteBookFile(book, request, result);
  if (progress) progress(total, total);
  return result;
}

}  // namespace orlane
