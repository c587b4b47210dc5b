// Hostile pages for the diary reader, shared by its tests and benchmarks: a
// PNG that is tiny on disk and enormous decoded, and pages of many list items.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <vector>

namespace orlane::test {

// A PNG of width x height black pixels (1-bit grey), compressed as it is
// written, so making it never holds the raw rows: 30000 x 30000 is ~110 KB.
inline QByteArray OneColourPng(quint32 width, quint32 height) {
  auto chunk = [](QByteArray& out, const char* type, const QByteArray& data) {
    char length[4];
    qToBigEndian<quint32>(static_cast<quint32>(data.size()), length);
    out.append(length, 4);
    const QByteArray typed = QByteArray(type) + data;
    out.append(typed);
    char crc[4];
    qToBigEndian<quint32>(static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()),
                                                     static_cast<uInt>(typed.size()))),
                          crc);
    out.append(crc, 4);
  };
  QByteArray header(13, '\0');
  qToBigEndian<quint32>(width, header.data());
  qToBigEndian<quint32>(height, header.data() + 4);
  header[8] = 1;  // bit depth; colour type 0 (grey), no interlace
  z_stream z{};
  deflateInit(&z, 9);
  const std::vector<Bytef> row((width + 7) / 8 + 1, 0);  // filter byte 0, then black
  std::vector<Bytef> buffer(1 << 16);
  QByteArray compressed;
  for (quint32 y = 0; y <= height; ++y) {
    const bool last = y == height;
    z.next_in = last ? nullptr : const_cast<Bytef*>(row.data());
    z.avail_in = last ? 0 : static_cast<uInt>(row.size());
    do {
      z.next_out = buffer.data();
      z.avail_out = static_cast<uInt>(buffer.size());
      deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      compressed.append(reinterpret_cast<const char*>(buffer.data()),
                        static_cast<qsizetype>(buffer.size() - z.avail_out));
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", compressed);
  chunk(png, "IEND", {});
  return png;
}

// A page of `lines` paragraphs "Line N", as bullets the way WordPad writes
// them, or as plain paragraphs.
inline QByteArray ListPageRtf(int lines, bool bullets) {
  QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\n";
  for (int i = 0; i < lines; ++i) {
    if (bullets)
      rtf += "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 ";
    else
      rtf += "\\pard ";
    rtf += "Line " + QByteArray::number(i) + "\\par\n";
  }
  return rtf + "}";
}

}  // namespace orlane::test
