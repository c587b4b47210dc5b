// The one document a diary book is assembled in: a title, then for every day
// its date as heading and the page (or a note why the page is not there).
// Pictures get names of their own under the book's picture folder and are
// kept as resources of the book, so every writer finds them.
#pragma once

#include "diary/diary_book.h"

#include <QDate>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace orlane {

class BookDocument final {
 public:
  // pictureLink: how pictures are linked from the book ("<folder>/"), already
  // percent-encoded.
  BookDocument(BookFormat format, QString pictureLink);
  Q_DISABLE_COPY_MOVE(BookDocument)

  void AddTitle(const QString& title);
  void AddHeading(const QDate& date);
  // Moves the page's content into the book; its hidden text is left out.
  void AddPage(QTextDocument& page, const QDate& date);
  void AddNote(const QString& note);

  QTextDocument& document() { return document_; }
  // The pictures in the order they were added: link name and picture.
  const std::vector<std::pair<QString, QImage>>& pictures() const { return pictures_; }

 private:
  void StartBlock(const QTextBlockFormat& block, const QTextCharFormat& chars);

  BookFormat format_;
  QString pictureLink_;
  QTextDocument document_;
  QTextCursor cursor_;
  bool empty_ = true;
  std::vector<std::pair<QString, QImage>> pictures_;
};

// "2024-03-05, Tuesday": the heading of a day.
QString BookHeading(const QDate& date);

}  // namespace orlane
