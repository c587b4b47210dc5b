// Flash movies made by the tests: a stage rectangle, frame rate and count,
// optional tags before the stage colour, as FWS or CWS (zlib) files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <zlib.h>

#include <vector>

namespace orlane::test {

struct SwfSpec {
  int version = 8;
  int widthTwips = 11000;
  int heightTwips = 8000;
  int frameRate256 = 12 * 256;
  int frameCount = 24;
  bool background = true;
  quint32 rgb = 0x336699;
  int fillerTags = 0;          // short "ShowFrame"-like tags before the colour
  bool longFillerTag = false;  // one tag with the long length form first
};

inline void PutU16(QByteArray& b, int v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
}
inline void PutU32(QByteArray& b, quint32 v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline QByteArray SwfBody(const SwfSpec& s) {
  QByteArray b;
  // RECT: 5-bit field size, then xmin, xmax, ymin, ymax with 16 bits each,
  // most significant bit first, padded to a byte.
  const int nbits = 16;
  std::vector<int> bits;
  auto put = [&](quint32 v, int count) {
    for (int i = count - 1; i >= 0; --i) bits.push_back(static_cast<int>((v >> i) & 1));
  };
  put(nbits, 5);
  for (int v : {0, s.widthTwips, 0, s.heightTwips}) put(static_cast<quint32>(v), nbits);
  while (bits.size() % 8 != 0) bits.push_back(0);
  for (std::size_t i = 0; i < bits.size(); i += 8) {
    int byte = 0;
    for (std::size_t k = 0; k < 8; ++k) byte = (byte << 1) | bits[i + k];
    b.append(static_cast<char>(byte));
  }
  PutU16(b, s.frameRate256);
  PutU16(b, s.frameCount);
  if (s.longFillerTag) {
    PutU16(b, (2 << 6) | 0x3f);
    PutU32(b, 100);
    b.append(QByteArray(100, '\x7'));
  }
  for (int i = 0; i < s.fillerTags; ++i) PutU16(b, 1 << 6);  // ShowFrame, empty
  if (s.background) {
    PutU16(b, (9 << 6) | 3);
    b.append(static_cast<char>((s.rgb >> 16) & 0xFF));
    b.append(static_cast<char>((s.rgb >> 8) & 0xFF));
    b.append(static_cast<char>(s.rgb & 0xFF));
  }
  PutU16(b, 0);  // end
  return b;
}

inline QByteArray MakeSwf(const SwfSpec& s, bool compressed) {
  const QByteArray body = SwfBody(s);
  QByteArray out(compressed ? "CWS" : "FWS");
  out.append(static_cast<char>(s.version));
  PutU32(out, static_cast<quint32>(8 + body.size()));
  if (!compressed) return out + body;
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  QByteArray packed(static_cast<qsizetype>(size), '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(body.constData()),
            static_cast<uLong>(body.size()), 9);
  packed.resize(static_cast<qsizetype>(size));
  return out + packed;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace orlane::test
