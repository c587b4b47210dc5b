// Writes small Windows bitmap files for the tests: 8-bit with a palette or
// 24-bit, in one colour or in vertical stripes.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cstdint>
#include <vector>

namespace orlane::test {

inline void PutU32(QByteArray& b, std::uint32_t v) {
  char bytes[4];
  qToLittleEndian(v, bytes);
  b.append(bytes, 4);
}
inline void PutU16(QByteArray& b, std::uint16_t v) {
  char bytes[2];
  qToLittleEndian(v, bytes);
  b.append(bytes, 2);
}

// An 8-bit bitmap; pixel (x, y) takes palette entry colorOf(x).
template <typename ColorOf>
QByteArray Bitmap8(int width, int height, const std::vector<std::uint32_t>& paletteRgb, ColorOf colorOf) {
  const int stride = (width + 3) & ~3;
  QByteArray info;
  PutU32(info, 40);
  PutU32(info, static_cast<std::uint32_t>(width));
  PutU32(info, static_cast<std::uint32_t>(height));
  PutU16(info, 1);
  PutU16(info, 8);
  PutU32(info, 0);
  PutU32(info, static_cast<std::uint32_t>(stride * height));
  PutU32(info, 2835);
  PutU32(info, 2835);
  PutU32(info, static_cast<std::uint32_t>(paletteRgb.size()));
  PutU32(info, 0);
  for (std::uint32_t rgb : paletteRgb) {
    info.append(static_cast<char>(rgb & 0xFF));          // blue
    info.append(static_cast<char>((rgb >> 8) & 0xFF));   // green
    info.append(static_cast<char>((rgb >> 16) & 0xFF));  // red
    info.append('\0');
  }
  QByteArray pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.append(static_cast<char>(colorOf(x)));
    pixels.append(QByteArray(stride - width, '\0'));
  }
  QByteArray file("BM");
  const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
  PutU32(file, offset + static_cast<std::uint32_t>(pixels.size()));
  PutU32(file, 0);
  PutU32(file, offset);
  return file + info + pixels;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace orlane::test
