#include "diary/rtf_picture.h"

#include "diary/rtf_tokenizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace orlane {
namespace {

int HexNibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool RoomFor(RtfPicture& picture, qsizetype more) {
  if (picture.data.size() + more <= kMaxPictureBytes) return true;
  picture.oversized = true;
  return false;
}

// Qt's decoders refuse an image larger than one picture may be, whoever
// asks them (the reader here, the document's layout later).
void BoundImageDecoding() {
  static const bool bounded = [] {
    const int megabytes = static_cast<int>(kMaxPicturePixels * 4 >> 20);
    if (QImageReader::allocationLimit() == 0 || QImageReader::allocationLimit() > megabytes)
      QImageReader::setAllocationLimit(megabytes);
    return true;
  }();
  (void)bounded;
}

QSize ReadableSize(const QByteArray& bytes, const char* format) {
  BoundImageDecoding();
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  if (!reader.canRead()) return {};
  return reader.size();
}

bool SizeAllowed(qint64 w, qint64 h) {
  return w > 0 && h > 0 && w * h <= kMaxPicturePixels;
}

QImage DecodeWbitmap(const RtfPicture& picture) {
  const int w = picture.picw;
  const int h = picture.pich;
  const int bpp = picture.bitsPixel;
  if (!SizeAllowed(w, h) || (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32)) return {};
  const qint64 minStride = (qint64(w) * bpp + 7) / 8;
  qint64 stride = picture.widthBytes > 0 ? picture.widthBytes : ((minStride + 1) / 2) * 2;
  if (stride < minStride || stride * h > picture.data.size()) return {};
  QImage image(w, h, QImage::Format_RGB32);
  if (image.isNull()) return {};
  const auto* bits = reinterpret_cast<const uchar*>(picture.data.constData());
  for (int y = 0; y < h; ++y) {
    const uchar* row = bits + stride * y;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      switch (bpp) {
        case 1: out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? qRgb(255, 255, 255) : qRgb(0, 0, 0); break;
        case 8: out[x] = qRgb(row[x], row[x], row[x]); break;
        case 24: out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
        default: out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]); break;
      }
    }
  }
  return image;
}

}  // namespace

void AppendPictureHex(QByteArrayView text, RtfPicture& picture) {
  if (picture.oversized || !RoomFor(picture, text.size() / 2 + 1)) return;
  const qsizetype base = picture.data.size();
  picture.data.resize(base + text.size() / 2 + 1);
  char* out = picture.data.data() + base;
  qsizetype written = 0;
  int pending = picture.pendingNibble;
  for (const char c : text) {
    const int nibble = HexNibble(c);
    if (nibble < 0) continue;
    if (pending < 0) {
      pending = nibble;
    } else {
      out[written++] = static_cast<char>((pending << 4) | nibble);
      pending = -1;
    }
  }
  picture.pendingNibble = pending;
  picture.data.truncate(base + written);
}

void AppendPictureBinary(QByteArrayView bytes, RtfPicture& picture) {
  if (picture.oversized || !RoomFor(picture, bytes.size())) return;
  picture.data.append(bytes);
}

QImage DecodeDib(QByteArrayView dib) {
  if (dib.size() < 40) return {};
  const auto* p = reinterpret_cast<const uchar*>(dib.data());
  const quint32 headerSize = qFromLittleEndian<quint32>(p);
  if (headerSize < 40 || headerSize > quint32(dib.size())) return {};
  const qint32 width = qFromLittleEndian<qint32>(p + 4);
  const qint32 height = qFromLittleEndian<qint32>(p + 8);
  const quint16 bitCount = qFromLittleEndian<quint16>(p + 14);
  const quint32 compression = qFromLittleEndian<quint32>(p + 16);
  const quint32 colorsUsed = qFromLittleEndian<quint32>(p + 32);
  const qint64 absHeight = height < 0 ? -qint64(height) : qint64(height);
  if (!SizeAllowed(width, absHeight)) return {};
  qint64 paletteEntries = colorsUsed;
  if (paletteEntries == 0 && bitCount <= 8) paletteEntries = qint64(1) << bitCount;
  if (paletteEntries > 256) return {};
  qint64 offset = 14 + qint64(headerSize) + paletteEntries * 4;
  if (headerSize == 40 && compression == 3) offset += 12;  // BI_BITFIELDS masks
  // The bits must be there: uncompressed rows in full, run-length data at
  // no better than its best ratio. This keeps a few bytes from asking for a
  // huge image.
  const qint64 bitsPresent = dib.size() - (offset - 14);
  if (bitsPresent <= 0 || bitCount == 0 || bitCount > 32) return {};
  const qint64 stride = ((qint64(width) * bitCount + 31) / 32) * 4;
  const bool runLength = compression == 1 || compression == 2;
  if (!runLength && stride * absHeight > bitsPresent) return {};
  if (runLength && qint64(width) * absHeight > bitsPresent * 256) return {};
  // Prepend the file header Qt's BMP reader expects.
  QByteArray file(14, '\0');
  file[0] = 'B';
  file[1] = 'M';
  qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
  qToLittleEndian<quint32>(quint32(offset), file.data() + 10);
  file.append(dib);
  QImage image;
  image.loadFromData(file, "BMP");
  return image;
}

QSize DeclaredPictureSize(const RtfPicture& picture) {
  switch (picture.kind) {
    case RtfPictureKind::Png: return ReadableSize(picture.data, "PNG");
    case RtfPictureKind::Jpeg: return ReadableSize(picture.data, "JPEG");
    case RtfPictureKind::Wbitmap: return QSize(picture.picw, picture.pich);
    case RtfPictureKind::Dib: {
      if (picture.data.size() < 12) return {};
      const auto* p = reinterpret_cast<const uchar*>(picture.data.constData());
      const qint64 height = qFromLittleEndian<qint32>(p + 8);
      const qint64 width = qFromLittleEndian<qint32>(p + 4);
      return QSize(static_cast<int>(std::clamp<qint64>(width, 0, 1 << 30)),
                   static_cast<int>(std::clamp<qint64>(height < 0 ? -height : height, 0, 1 << 30)));
    }
    default: return {};
  }
}

DecodedPicture PicturePlaceholder(const RtfPicture& picture, QSize declared) {
  // Plain pixels, so it needs no fonts (orlanectl reads pages without a GUI).
  QImage image(96, 72, QImage::Format_RGB32);
  image.fill(qRgb(232, 232, 232));
  const QRgb line = qRgb(150, 150, 150);
  for (int x = 0; x < image.width(); ++x) {
    image.setPixel(x, 0, line);
    image.setPixel(x, image.height() - 1, line);
    image.setPixel(x, x * (image.height() - 1) / (image.width() - 1), line);
    image.setPixel(x, (image.width() - 1 - x) * (image.height() - 1) / (image.width() - 1), line);
  }
  for (int y = 0; y < image.height(); ++y) {
    image.setPixel(0, y, line);
    image.setPixel(image.width() - 1, y, line);
  }
  double w = picture.goalw > 0 ? picture.goalw / kTwipsPerPixel : declared.width();
  double h = picture.goalh > 0 ? picture.goalh / kTwipsPerPixel : declared.height();
  if (w <= 0 || h <= 0) {
    w = image.width();
    h = image.height();
  }
  const double fit = std::min({1.0, 480.0 / w, 360.0 / h});
  DecodedPicture stand;
  stand.resource = image;
  stand.pixelSize = image.size();
  stand.displaySize = QSizeF(std::max(1.0, w * fit), std::max(1.0, h * fit));
  return stand;
}

bool DecodePicture(const RtfPicture& picture, DecodedPicture& out) {
  if (picture.oversized || picture.data.isEmpty()) return false;
  BoundImageDecoding();
  QSize size;
  switch (picture.kind) {
    case RtfPictureKind::Png:
    case RtfPictureKind::Jpeg: {
      const char* format = picture.kind == RtfPictureKind::Png ? "PNG" : "JPEG";
      size = ReadableSize(picture.data, format);
      if (!SizeAllowed(size.width(), size.height())) return false;
      out.resource = picture.data;
      break;
    }
    case RtfPictureKind::Dib:
    case RtfPictureKind::Wbitmap: {
      const QImage image = picture.kind == RtfPictureKind::Dib ? DecodeDib(picture.data) : DecodeWbitmap(picture);
      if (image.isNull()) return false;
      size = image.size();
      out.resource = image;
      break;
    }
    default: return false;
  }
  out.pixelSize = size;
  out.displaySize = PictureDisplaySize(picture, size);
  return true;
}

QSizeF PictureDisplaySize(const RtfPicture& picture, QSizeF natural) {
  double w = picture.goalw > 0 ? picture.goalw / kTwipsPerPixel : natural.width();
  double h = picture.goalh > 0 ? picture.goalh / kTwipsPerPixel : natural.height();
  if (picture.scalex > 0 && picture.scalex != 100) w = w * picture.scalex / 100.0;
  if (picture.scaley > 0 && picture.scaley != 100) h = h * picture.scaley / 100.0;
  return QSizeF(std::min(w, 100000.0), std::min(h, 100000.0));
}

QSizeF UndecodedPictureSize(const RtfPicture& picture) {
  constexpr double kPixelsPerHimetric = 96.0 / 2540.0;
  const bool metafile = picture.kind == RtfPictureKind::Wmf || picture.kind == RtfPictureKind::Emf ||
                        picture.kind == RtfPictureKind::Other;
  const double scale = metafile ? kPixelsPerHimetric : 1.0;
  const QSizeF size = PictureDisplaySize(picture, QSizeF(picture.picw * scale, picture.pich * scale));
  return size.width() >= 1 && size.height() >= 1 ? size : QSizeF(96, 64);
}

void AppendHexLines(QByteArrayView bytes, QByteArray& out, int lineLength) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const qsizetype digits = bytes.size() * 2;
  const qsizetype lines = lineLength > 0 ? digits / lineLength + 1 : 0;
  const qsizetype base = out.size();
  out.resize(base + digits + lines);
  char* p = out.data() + base;
  int column = 0;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *p++ = kDigits[b >> 4];
    *p++ = kDigits[b & 15];
    column += 2;
    if (lineLength > 0 && column >= lineLength) {
      *p++ = '\n';
      column = 0;
    }
  }
  out.truncate(p - out.constData());
}

}  // namespace orlane
