#include "platform/archive.h"

#include <QString>

namespace orlane {

namespace {
constexpr std::uint16_t kWideTag = 0xFFFE;
constexpr std::uint16_t kLongLength = 0xFFFF;
}  // namespace

bool ArchiveReader::fail() {
  ended_ = true;
  pos_ = data_.size();
  return false;
}

bool ArchiveReader::readUInt16(std::uint16_t& out) {
  const char* b = nullptr;
  if (!take(2, b)) return false;
  out = static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | (static_cast<std::uint8_t>(b[1]) << 8));
  return true;
}

bool ArchiveReader::readUInt32(std::uint32_t& out) {
  const char* b = nullptr;
  if (!take(4, b)) return false;
  out = 0;
  for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<std::uint8_t>(b[i]);
  return true;
}

bool ArchiveReader::readInt32(std::int32_t& out) {
  std::uint32_t u = 0;
  if (!readUInt32(u)) return false;
  out = static_cast<std::int32_t>(u);
  return true;
}

bool ArchiveReader::readCount(std::uint32_t& out) {
  std::uint16_t shortCount = 0;
  if (!readUInt16(shortCount)) return false;
  if (shortCount != kLongLength) {
    out = shortCount;
    return true;
  }
  return readUInt32(out);
}

// The length part of a string prefix after the optional UTF-16 tag.
bool ArchiveReader::readLength(std::uint64_t& out) {
  std::uint8_t b = 0;
  if (!readUInt8(b)) return false;
  if (b < 0xFF) {
    out = b;
    return true;
  }
  std::uint16_t w = 0;
  if (!readUInt16(w)) return false;
  if (w < 0xFFFE) {
    out = w;
    return true;
  }
  if (w == kWideTag) return fail();  // a second tag is not a length
  std::uint32_t d = 0;
  if (!readUInt32(d)) return false;
  // 0xFFFFFFFF announces a 64-bit length, which no file of ours can hold.
  if (d == 0xFFFFFFFFu) return fail();
  out = d;
  return true;
}

bool ArchiveReader::readString(QByteArray& out) {
  QByteArray converted;
  QByteArrayView view;
  if (!readStringView(view, converted)) return false;
  // Only a UTF-16 tagged string fills converted.
  out = converted.isNull() ? QByteArray(view.data(), view.size()) : std::move(converted);
  return true;
}

bool ArchiveReader::readStringView(QByteArrayView& out, QByteArray& converted) {
  if (ended_) return false;
  bool wide = false;
  // The UTF-16 tag is FF FE FF, followed by a length in the usual scheme.
  if (remaining() >= 3 && static_cast<std::uint8_t>(data_[pos_]) == 0xFF &&
      static_cast<std::uint8_t>(data_[pos_ + 1]) == 0xFE && static_cast<std::uint8_t>(data_[pos_ + 2]) == 0xFF) {
    wide = true;
    pos_ += 3;
  }
  std::uint64_t length = 0;
  if (!readLength(length)) return false;
  const std::uint64_t bytes = wide ? length * 2 : length;
  if (bytes > static_cast<std::uint64_t>(remaining())) return fail();
  const char* b = nullptr;
  if (!take(static_cast<qsizetype>(bytes), b)) return false;
  if (!wide) {
    out = QByteArrayView(b, static_cast<qsizetype>(bytes));
    return true;
  }
  QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
  for (std::uint64_t i = 0; i < length; ++i) {
    const auto lo = static_cast<std::uint8_t>(b[2 * i]);
    const auto hi = static_cast<std::uint8_t>(b[2 * i + 1]);
    text[static_cast<qsizetype>(i)] = QChar(static_cast<char16_t>(lo | (hi << 8)));
  }
  converted = text.toUtf8();
  out = converted;
  return true;
}

void ArchiveWriter::writeUInt8(std::uint8_t value) {
  out_.append(static_cast<char>(value));
}

void ArchiveWriter::writeUInt16(std::uint16_t value) {
  writeUInt8(static_cast<std::uint8_t>(value & 0xFF));
  writeUInt8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::writeUInt32(std::uint32_t value) {
  for (int i = 0; i < 4; ++i) writeUInt8(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

void ArchiveWriter::writeInt32(std::int32_t value) {
  writeUInt32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeCount(std::uint32_t count) {
  if (count < kLongLength) {
    writeUInt16(static_cast<std::uint16_t>(count));
    return;
  }
  writeUInt16(kLongLength);
  writeUInt32(count);
}

void ArchiveWriter::writeString(QByteArrayView bytes) {
  const auto length = static_cast<std::uint64_t>(bytes.size());
  if (length < 0xFF) {
    writeUInt8(static_cast<std::uint8_t>(length));
  } else if (length < 0xFFFE) {
    writeUInt8(0xFF);
    writeUInt16(static_cast<std::uint16_t>(length));
  } else {
    writeUInt8(0xFF);
    writeUInt16(kLongLength);
    writeUInt32(static_cast<std::uint32_t>(length));
  }
  out_.append(bytes.data(), bytes.size());
}

}  // namespace orlane
