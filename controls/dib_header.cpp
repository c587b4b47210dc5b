#include "controls/dib_header.h"

namespace orlane {

namespace {
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
DibParseResult Refuse(const char* why) {
  return {std::nullopt, why};
}
}  // namespace

DibParseResult ParseDibFile(std::span<const std::uint8_t> file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return Refuse("not a bitmap file (no \"BM\")");
  if (file.size() < kBitmapFileHeaderSize + kBitmapInfoHeaderSize) return Refuse("bitmap header cut short");
  const auto dib = file.subspan(kBitmapFileHeaderSize);
  const std::uint32_t headerSize = U32(dib, 0);
  if (headerSize < kBitmapInfoHeaderSize || headerSize > dib.size()) return Refuse("unknown bitmap header size");

  DibInfo info;
  info.width = static_cast<std::int32_t>(U32(dib, 4));
  info.height = static_cast<std::int32_t>(U32(dib, 8));
  info.bitCount = U16(dib, 14);
  info.compression = U32(dib, 16);
  info.colorsUsed = U32(dib, 32);
  if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) return Refuse("bitmap without pixels");
  if (info.width > 32768 || info.height > 32768 || info.height < -32768) return Refuse("bitmap too large");
  switch (info.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return Refuse("unsupported bits per pixel");
  }
  if (info.colorsUsed > 256 && info.bitCount <= 8) return Refuse("colour table too large");

  std::uint64_t tableEntries = info.colorsUsed;
  if (info.bitCount <= 8 && tableEntries == 0) tableEntries = 1u << info.bitCount;
  info.colorCount = static_cast<std::uint32_t>(info.bitCount <= 8 ? tableEntries : info.colorsUsed);
  const std::uint64_t masks = info.compression == kBiBitFields ? 3 : 0;
  const std::uint64_t tableBytes = (tableEntries + masks) * 4;
  if (headerSize + tableBytes > dib.size()) return Refuse("colour table cut short");
  info.bitsOffset = static_cast<std::size_t>(headerSize + tableBytes);

  const std::uint64_t stride = ((static_cast<std::uint64_t>(info.width) * info.bitCount + 31) / 32) * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(info.height < 0 ? -info.height : info.height);
  if (info.compression == kBiRgb || info.compression == kBiBitFields) {
    if (info.bitsOffset + stride * rows > dib.size()) return Refuse("pixel bits cut short");
  }

  if (info.colorCount <= 256) {
    info.palette.reserve(info.colorCount);
    for (std::uint32_t i = 0; i < info.colorCount && i < tableEntries; ++i) {
      const std::size_t at = headerSize + i * 4;
      info.palette.push_back(MakeColorRef(dib[at + 2], dib[at + 1], dib[at]));
    }
  }
  return {std::move(info), {}};
}

}  // namespace orlane
