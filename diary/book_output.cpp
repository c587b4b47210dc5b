#include "diary/book_output.h"

#include "diary/book_document.h"
#include "diary/page_objects.h"
#include "diary/page_pictures.h"
#include "platform/file_io.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>

namespace orlane {

namespace {
bool Write(const QString& path, QByteArrayView bytes, DiaryBookResult& result) {
  if (AtomicWriteFile(path, bytes) == WriteResult::Written) return true;
  result.status = BookStatus::WriteFailed;
  result.failedPath = path;
  result.failure = LastFileError();
  return false;
}

// The pictures go first, so that a book on disk never links a file that is not there.
bool WritePictures(const BookDocument& book, const QString& outPath, DiaryBookResult& result) {
  if (book.pictures().empty()) return true;
  const QString folder = BookPictureFolder(outPath);
  if (!QDir().mkpath(folder)) {
    result.status = BookStatus::WriteFailed;
    result.failedPath = folder;
    result.failure = QStringLiteral("the folder cannot be created");
    return false;
  }
  for (const auto& [name, picture] : book.pictures())
    if (!Write(QDir(folder).filePath(name.section(QLatin1Char('/'), -1)), PngBytes(picture), result)) return false;
  return true;
}

QByteArray PdfBytes(QTextDocument& document, const QString& title) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Orlane 2"));
  writer.setResolution(300);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(25.4, 25.4, 25.4, 25.4), QPageLayout::Millimeter);
  // Unpaginated, so that print() lays the book out on the writer's pages and numbers them.
  document.print(&writer);
  return pdf;
}
}  // namespace

void WriteBookFile(BookDocument& book, const DiaryBookRequest& request, DiaryBookResult& result) {
  QTextDocument& document = book.document();
  QByteArray bytes;
  switch (request.format) {
    case BookFormat::Markdown:
      if (!WritePictures(book, request.outPath, result)) return;
      bytes = document.toMarkdown().toUtf8();
      break;
    case BookFormat::Html:
      RenamePictures(document, PngDataUri);
      bytes = document.toHtml().toUtf8();
      break;
    case BookFormat::Pdf: bytes = PdfBytes(document, document.metaInformation(QTextDocument::DocumentTitle)); break;
    case BookFormat::Text:
      bytes = VisiblePlainText(document).remove(QChar::ObjectReplacementCharacter).toUtf8() + '\n';
      break;
  }
  if (Write(request.outPath, bytes, result)) result.status = BookStatus::Written;
}

}  // namespace orlane
