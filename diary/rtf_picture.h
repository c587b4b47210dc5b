// The picture data of one RTF \pict group and its decoding into something a
// QTextDocument can show: PNG and JPEG bytes are kept as they came (they are
// written back unchanged), device-independent and device-dependent bitmaps
// become images; metafiles and unknown kinds are not decodable.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>
#include <QVariant>

namespace orlane {

enum class RtfPictureKind { Unknown, Png, Jpeg, Dib, Wbitmap, Emf, Wmf, Other };

inline constexpr qsizetype kMaxPictureBytes = qsizetype(64) << 20;
inline constexpr qint64 kMaxPicturePixels = qint64(8192) * 8192;
// The pixels one page may decode in all (512 MB as 32-bit pixels). Pictures
// beyond it, or larger than kMaxPicturePixels, are shown as a placeholder and
// kept byte for byte.
inline constexpr qint64 kPagePixelBudget = qint64(128) << 20;

struct RtfPicture {
  RtfPictureKind kind = RtfPictureKind::Unknown;
  int picw = 0;  // pixels for bitmaps, 0.01 mm for metafiles
  int pich = 0;
  int goalw = 0;  // twips
  int goalh = 0;
  int scalex = 100;
  int scaley = 100;
  int bitsPixel = 1;
  int widthBytes = 0;
  QByteArray data;
  int pendingNibble = -1;  // a hex digit waiting for its partner
  bool oversized = false;
};

struct RtfToken;

// Appends the hex digits of text to picture.data, ignoring anything else.
void AppendPictureHex(QByteArrayView text, RtfPicture& picture);
// Appends raw \bin bytes.
void AppendPictureBinary(QByteArrayView bytes, RtfPicture& picture);

struct DecodedPicture {
  QVariant resource;  // QByteArray (PNG/JPEG) or QImage
  QSize pixelSize;
  QSizeF displaySize;  // in document pixels (96 per inch)
};

// False when the picture cannot be shown.
bool DecodePicture(const RtfPicture& picture, DecodedPicture& out);

// The size a picture asks for on the page (document pixels): its goal size,
// else natural, each scaled by \picscalex/y.
QSizeF PictureDisplaySize(const RtfPicture& picture, QSizeF natural);
// The same for a picture that cannot be decoded, from \picw and \pich
// (0.01 mm for metafiles); a default size when it says none.
QSizeF UndecodedPictureSize(const RtfPicture& picture);
// The size the picture's own header gives (PNG or JPEG header, the DIB's info
// header, \picw and \pich of a plain bitmap) without decoding any pixel;
// empty when the kind has none.
QSize DeclaredPictureSize(const RtfPicture& picture);

// What stands for a picture that is kept but not shown: a small framed grey
// image, shown at the picture's size scaled down to fit 480 x 360.
DecodedPicture PicturePlaceholder(const RtfPicture& picture, QSize declared);

// A Windows DIB (BITMAPINFOHEADER and bits, no file header) as an image.
QImage DecodeDib(QByteArrayView dib);

// Hex digits of bytes, lower case, a line break after every lineLength digits.
void AppendHexLines(QByteArrayView bytes, QByteArray& out, int lineLength = 128);

inline constexpr double kTwipsPerPixel = 15.0;  // 1440 twips per inch, 96 pixels per inch

}  // namespace orlane
