// How a diary page keeps its pictures and attached files inside a
// QTextDocument, shared by the RTF reader and writer and the editor: a picture
// is an image format naming a document resource; an attached file is such an
// image (its icon) whose format also carries the file's name and bytes.
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
// A picture kept but not shown (beyond the page's pixel budget): its RTF
// control words and its bytes, written back as they came.
inline constexpr int kKeptPictureHeaderProperty = QTextFormat::UserProperty + 3;
inline constexpr int kKeptPictureDataProperty = QTextFormat::UserProperty + 4;

// Adds resource (a QImage, or PNG/JPEG bytes) to the document under a fresh
// name and inserts it at the cursor, shown at displaySize (document pixels;
// empty keeps the natural size). Returns the image format inserted.
QTextImageFormat InsertPageImage(QTextCursor& cursor, const QVariant& resource, QSizeF displaySize = {});

// Inserts an attached file shown as icon.
QTextImageFormat InsertAttachment(QTextCursor& cursor, const QString& fileName, const QByteArray& bytes,
                                  const QImage& icon);

// Inserts a kept picture shown as standIn.
QTextImageFormat InsertKeptPicture(QTextCursor& cursor, const QVariant& standIn, QSizeF displaySize,
                                   const QByteArray& header, const QByteArray& data);
bool IsKeptPicture(const QTextFormat& format);

bool IsAttachment(const QTextFormat& format);
QString AttachmentName(const QTextFormat& format);
QByteArray AttachmentData(const QTextFormat& format);

// The picture of an image format as an image (null when the document lacks it).
QImage PageImage(const QTextDocument& document, const QTextImageFormat& format);

// An icon of the given file name for an attachment: a page symbol with the
// name below it. Needs a QGuiApplication (it draws text).
QImage PaintAttachmentIcon(const QString& fileName);

}  // namespace orlane
