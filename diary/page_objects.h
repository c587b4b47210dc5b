// How a diary page keeps its pictures and attached files inside a
// QTextDocument, shared by the RTF reader and writer and the editor: a picture
// is an image format naming a document resource; an attached file is such an
// image (its icon) whose format also carries the file's name and bytes.
//
// What the page holds but the editor cannot show travels with it unchanged: an
// RTF group the reader does not understand (a metafile, a damaged or huge
// picture, an embedded object that is not an attached file) is an image that
// stands for it and carries the group's bytes, written back as they came;
// hidden text is an invisible object carrying the text and its format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QVariant>

class QTextDocument;

namespace orlane {

inline constexpr int kAttachmentNameProperty = QTextFormat::UserProperty + 1;
inline constexpr int kAttachmentDataProperty = QTextFormat::UserProperty + 2;
inline constexpr int kKeptRtfProperty = QTextFormat::UserProperty + 3;
inline constexpr int kHiddenTextProperty = QTextFormat::UserProperty + 4;
inline constexpr int kHiddenTextObject = QTextFormat::UserObject + 1;
inline constexpr int kInvisibleKeptObject = QTextFormat::UserObject + 2;

// Adds resource (a QImage, or PNG/JPEG bytes) to the document under a fresh
// name and inserts it at the cursor, shown at displaySize (document pixels;
// empty keeps the natural size). Returns the image format inserted.
QTextImageFormat InsertPageImage(QTextCursor& cursor, const QVariant& resource, QSizeF displaySize = {});

// Inserts an attached file shown as icon.
QTextImageFormat InsertAttachment(QTextCursor& cursor, const QString& fileName, const QByteArray& bytes,
                                  const QImage& icon);

// Inserts an RTF group kept byte for byte, shown as picture (a QImage, or
// PNG/JPEG bytes) at displaySize.
QTextImageFormat InsertKeptRtf(QTextCursor& cursor, const QByteArray& rtfGroup, const QVariant& picture,
                               QSizeF displaySize, const QString& toolTip);
bool IsKeptRtf(const QTextFormat& format);
QByteArray KeptRtf(const QTextFormat& format);
// Inserts an RTF group kept byte for byte that the page does not show at
// all (a header, a bookmark, a destination of another program): one invisible
// character carrying the group.
void InsertInvisibleKeptRtf(QTextCursor& cursor, const QByteArray& rtfGroup);
bool IsInvisibleKeptRtf(const QTextFormat& format);
// A light grey frame standing for a picture the editor cannot show (small:
// the page scales it to the picture's size).
QImage PlaceholderPicture(QSize size);

// Inserts hidden text: one invisible character carrying the text; format
// gives its font, size and emphasis.
void InsertHiddenText(QTextCursor& cursor, const QString& text, QTextCharFormat format);
bool IsHiddenText(const QTextFormat& format);
QString HiddenText(const QTextFormat& format);
// The page's plain text without its hidden text and invisible kept groups
// (pictures and files stay U+FFFC).
QString VisiblePlainText(const QTextDocument& document);
// Text for another program: the plain text without the object characters
// that stand for pictures, files and what is kept unseen.
QString PlainTextWithoutObjects(QString text);

// The character format that text typed or pasted at cursor takes: that of
// the nearest text before it in its paragraph (else after it), never that of
// a picture, file or kept group beside it.
QTextCharFormat TextFormatAt(const QTextCursor& cursor);

bool IsAttachment(const QTextFormat& format);
QString AttachmentName(const QTextFormat& format);
QByteArray AttachmentData(const QTextFormat& format);

// The picture of an image format as an image (null when the document lacks it).
QImage PageImage(const QTextDocument& document, const QTextImageFormat& format);

// An icon of the given file name for an attachment: a page symbol with the
// name below it. Needs a QGuiApplication (it draws text).
QImage PaintAttachmentIcon(const QString& fileName);

}  // namespace orlane
