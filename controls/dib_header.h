// Reads the headers of a Windows bitmap file (BITMAPFILEHEADER and
// BITMAPINFOHEADER) and its colour table, checking every size against the
// file, so a short or hostile file is refused instead of read past its end.
#pragma once

#include "controls/color_theme.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlane {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiBitFields = 3;

struct DibInfo {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: top-down rows
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  // Number of colours a palette is built from: colorsUsed, or 2^bitCount when
  // that is 0 (only up to 8 bits per pixel).
  std::uint32_t colorCount = 0;
  // The colour table as red-in-the-low-byte colours (blue, green, red bytes).
  std::vector<ColorRef> palette;
  // Offset of the pixel bits from the start of the info header: the header,
  // the colour table and, for bit fields, three masks.
  std::size_t bitsOffset = 0;
};

struct DibParseResult {
  std::optional<DibInfo> info;
  std::string error;  // why the file was refused
};

// `file` is the whole file, starting with "BM".
DibParseResult ParseDibFile(std::span<const std::uint8_t> file);

}  // namespace orlane
