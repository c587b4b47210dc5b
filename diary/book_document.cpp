#include "diary/book_document.h"

#include "diary/page_objects.h"
#include "diary/page_pictures.h"

#include <QLocale>
#include <QTextBlock>
#include <QTextDocumentFragment>

#include <vector>

namespace orlane {

namespace {
void RemoveHiddenText(QTextDocument& page) {
  std::vector<std::pair<int, int>> spans;
  for (QTextBlock block = page.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (IsHiddenText(it.fragment().charFormat()))
        spans.emplace_back(it.fragment().position(), it.fragment().length());
  // From the end, so that the positions before stay valid.
  for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
    QTextCursor cursor(&page);
    cursor.setPosition(span->first);
    cursor.setPosition(span->first + span->second, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
}
}  // namespace

QString BookHeading(const QDate& date) {
  return date.toString(Qt::ISODate) + QStringLiteral(", ") + QLocale().dayName(date.dayOfWeek());
}

BookDocument::BookDocument(BookFormat format, QString pictureLink)
    : format_(format), pictureLink_(std::move(pictureLink)), cursor_(&document_) {}

void BookDocument::StartBlock(const QTextBlockFormat& block, const QTextCharFormat& chars) {
  if (empty_) {
    cursor_.setBlockFormat(block);
    cursor_.setBlockCharFormat(chars);
    cursor_.setCharFormat(chars);
  } else {
    cursor_.insertBlock(block, chars);
  }
  empty_ = false;
}

void BookDocument::AddTitle(const QString& title) {
  document_.setMetaInformation(QTextDocument::DocumentTitle, title);
  QTextBlockFormat block;
  block.setHeadingLevel(1);
  block.setBottomMargin(12);
  QTextCharFormat chars;
  // Markdown says "#" for the heading; emphasis on top would only add "**".
  if (format_ != BookFormat::Markdown) {
    chars.setFontPointSize(20);
    chars.setFontWeight(QFont::Bold);
  }
  StartBlock(block, chars);
  cursor_.insertText(title, chars);
}

void BookDocument::AddHeading(const QDate& date) {
  QTextBlockFormat block;
  block.setHeadingLevel(2);
  block.setTopMargin(18);
  block.setBottomMargin(6);
  QTextCharFormat chars;
  if (format_ != BookFormat::Markdown) {
    chars.setFontPointSize(14);
    chars.setFontWeight(QFont::Bold);
  }
  StartBlock(block, chars);
  cursor_.insertText(BookHeading(date), chars);
}

void BookDocument::AddPage(QTextDocument& page, const QDate& date) {
  RemoveHiddenText(page);
  int number = 0;
  RenamePictures(page, [&](const QImage& picture) {
    QString name = pictureLink_ + date.toString(Qt::ISODate) + QLatin1Char('-') + QString::number(++number) +
                   QStringLiteral(".png");
    document_.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    pictures_.emplace_back(name, picture);
    return name;
  });
  StartBlock(QTextBlockFormat(), QTextCharFormat());
  cursor_.insertFragment(QTextDocumentFragment(&page));
}

void BookDocument::AddNote(const QString& note) {
  QTextCharFormat chars;
  chars.setFontItalic(true);
  StartBlock(QTextBlockFormat(), chars);
  cursor_.insertText(note, chars);
}

}  // namespace orlane
