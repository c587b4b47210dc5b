#include "controls/swf_header.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>

namespace orlane {
namespace {

constexpr int kSignatureSize = 8;  // signature, version, file length
constexpr int kTagSetBackgroundColor = 9;
constexpr int kTagEnd = 0;
constexpr qint64 kMaxFileRead = 1024 * 1024;  // compressed bytes enough for the scan

quint32 ReadU32(QByteArrayView b, qsizetype at) {
  return static_cast<quint32>(static_cast<quint8>(b[at])) |
         (static_cast<quint32>(static_cast<quint8>(b[at + 1])) << 8) |
         (static_cast<quint32>(static_cast<quint8>(b[at + 2])) << 16) |
         (static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24);
}

int ReadU16(QByteArrayView b, qsizetype at) {
  return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8);
}

// Inflates the body of a CWS movie, at most limit bytes. False on a damaged
// stream; a stream that simply ends early gives what it had.
bool InflatePrefix(QByteArrayView in, int limit, QByteArray& out) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  out.resize(limit);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  zs.avail_in = static_cast<uInt>(std::min<qsizetype>(in.size(), 0x7fffffff));
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(limit);
  int rc = Z_OK;
  while (rc == Z_OK && zs.avail_out > 0 && zs.avail_in > 0) rc = inflate(&zs, Z_NO_FLUSH);
  const bool good = rc == Z_OK || rc == Z_STREAM_END || rc == Z_BUF_ERROR;
  out.resize(static_cast<qsizetype>(limit - zs.avail_out));
  inflateEnd(&zs);
  return good && !out.isEmpty();
}

class BitReader {
 public:
  explicit BitReader(QByteArrayView b) : b_(b) {}
  bool read(int bits, quint32& value) {
    value = 0;
    for (int i = 0; i < bits; ++i) {
      if (pos_ / 8 >= b_.size()) return false;
      const int bit = (static_cast<quint8>(b_[pos_ / 8]) >> (7 - pos_ % 8)) & 1;
      value = (value << 1) | static_cast<quint32>(bit);
      ++pos_;
    }
    return true;
  }
  bool readSigned(int bits, int& value) {
    quint32 raw = 0;
    if (!read(bits, raw)) return false;
    if (bits > 0 && (raw >> (bits - 1)) & 1) raw |= ~quint32{0} << (bits - 1);
    value = static_cast<int>(raw);
    return true;
  }
  qsizetype bytePos() const { return (pos_ + 7) / 8; }

 private:
  QByteArrayView b_;
  qsizetype pos_ = 0;
};

// Looks through the tags for the stage colour; stops at the end tag or at
// the first tag that runs past the bytes there are.
void ScanTags(QByteArrayView body, qsizetype at, SwfHeader& h) {
  while (at + 2 <= body.size()) {
    const int codeAndLength = ReadU16(body, at);
    at += 2;
    const int code = codeAndLength >> 6;
    qint64 length = codeAndLength & 0x3f;
    if (length == 0x3f) {
      if (at + 4 > body.size()) return;
      length = ReadU32(body, at);
      at += 4;
    }
    if (code == kTagEnd) return;
    if (code == kTagSetBackgroundColor && length >= 3 && at + 3 <= body.size()) {
      h.hasBackground = true;
      h.backgroundRgb = (static_cast<quint32>(static_cast<quint8>(body[at])) << 16) |
                        (static_cast<quint32>(static_cast<quint8>(body[at + 1])) << 8) |
                        static_cast<quint32>(static_cast<quint8>(body[at + 2]));
      return;
    }
    if (length > body.size() - at) return;
    at += static_cast<qsizetype>(length);
  }
}

}  // namespace

SwfHeader ParseSwfHeader(QByteArrayView bytes) {
  SwfHeader h;
  if (bytes.size() < kSignatureSize) {
    h.error = SwfError::TooShort;
    return h;
  }
  const char s0 = bytes[0];
  if ((s0 != 'F' && s0 != 'C') || bytes[1] != 'W' || bytes[2] != 'S') {
    h.error = SwfError::BadSignature;
    return h;
  }
  h.compressed = s0 == 'C';
  h.version = static_cast<quint8>(bytes[3]);
  h.fileLength = ReadU32(bytes, 4);

  QByteArray inflated;
  QByteArrayView body = bytes.sliced(kSignatureSize);
  if (h.compressed) {
    if (!InflatePrefix(body, kSwfScanBytes, inflated)) {
      h.error = SwfError::BadCompressed;
      return h;
    }
    body = inflated;
  } else if (body.size() > kSwfScanBytes) {
    body = body.first(kSwfScanBytes);
  }

  BitReader bits(body);
  quint32 nbits = 0;
  int xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  if (!bits.read(5, nbits) || !bits.readSigned(static_cast<int>(nbits), xmin) ||
      !bits.readSigned(static_cast<int>(nbits), xmax) || !bits.readSigned(static_cast<int>(nbits), ymin) ||
      !bits.readSigned(static_cast<int>(nbits), ymax)) {
    h.error = SwfError::TooShort;
    return h;
  }
  const qsizetype at = bits.bytePos();
  if (at + 4 > body.size()) {
    h.error = SwfError::TooShort;
    return h;
  }
  h.stageWidthTwips = static_cast<int>(std::clamp<qint64>(qint64{xmax} - xmin, 0, 0x7fffffff));
  h.stageHeightTwips = static_cast<int>(std::clamp<qint64>(qint64{ymax} - ymin, 0, 0x7fffffff));
  h.frameRate256 = ReadU16(body, at);
  h.frameCount = ReadU16(body, at + 2);
  ScanTags(body, at + 4, h);
  return h;
}

SwfHeader ReadSwfHeaderFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SwfHeader h;
    h.error = SwfError::TooShort;
    return h;
  }
  return ParseSwfHeader(file.read(kMaxFileRead));
}

QString SwfErrorText(SwfError error) {
  switch (error) {
    case SwfError::None: return QStringLiteral("no error");
    case SwfError::TooShort: return QStringLiteral("the movie is shorter than its header");
    case SwfError::BadSignature: return QStringLiteral("not a Flash movie");
    case SwfError::BadCompressed: return QStringLiteral("the compressed movie is damaged");
  }
  return QString();
}

}  // namespace orlane
