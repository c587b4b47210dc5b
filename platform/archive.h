// The serialisation that the program's files share: little-endian integers,
// counts of 2 or 2 + 4 bytes, and length-prefixed strings (1, 3 or 7 bytes of
// prefix, no terminator). Readers also take strings tagged as UTF-16 text.
//
// ArchiveReader never throws: the first read past the end (or of a length that
// cannot fit) sets ended(), which stands for the archive exception, and every
// later read fails too, so callers keep what they read before the damage.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace orlane {

class ArchiveReader final {
 public:
  explicit ArchiveReader(QByteArrayView data) : data_(data) {}

  bool readUInt8(std::uint8_t& out) {
    const char* b = nullptr;
    if (!take(1, b)) return false;
    out = static_cast<std::uint8_t>(b[0]);
    return true;
  }
  bool readUInt16(std::uint16_t& out);
  bool readUInt32(std::uint32_t& out);
  bool readInt32(std::int32_t& out);
  // A string's bytes; a UTF-16 tagged string comes back as UTF-8.
  bool readString(QByteArray& out);
  // The same without a copy: out views the data, or, for a UTF-16 tagged
  // string, its UTF-8 form stored into converted (left alone otherwise).
  bool readStringView(QByteArrayView& out, QByteArray& converted);
  // A map or list count: 16 bits, or 0xFFFF followed by 32 bits.
  bool readCount(std::uint32_t& out);

  bool ended() const { return ended_; }
  bool atEnd() const { return pos_ >= data_.size(); }
  qsizetype position() const { return pos_; }
  qsizetype remaining() const { return data_.size() - pos_; }

 private:
  // Inline: every read of every string comes here.
  bool take(qsizetype n, const char*& bytes) {
    if (ended_ || n < 0 || n > remaining()) return fail();
    bytes = data_.data() + pos_;
    pos_ += n;
    return true;
  }
  bool readLength(std::uint64_t& out);
  bool fail();

  QByteArrayView data_;
  qsizetype pos_ = 0;
  bool ended_ = false;
};

class ArchiveWriter final {
 public:
  explicit ArchiveWriter(QByteArray& out) : out_(out) {}

  void writeUInt8(std::uint8_t value);
  void writeUInt16(std::uint16_t value);
  void writeUInt32(std::uint32_t value);
  void writeInt32(std::int32_t value);
  void writeString(QByteArrayView bytes);
  void writeCount(std::uint32_t count);

 private:
  QByteArray& out_;
};

}  // namespace orlane
