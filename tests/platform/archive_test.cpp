#include "platform/archive.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <QString>

using orlane::ArchiveReader;
using orlane::ArchiveWriter;

namespace {
QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QByteArray Written(QByteArrayView s) {
  QByteArray out;
  ArchiveWriter(out).writeString(s);
  return out;
}
}  // namespace

TEST(Archive, stringPrefixes_switchAtTheirBoundaries) {
  EXPECT_EQ(Written(QByteArray(254, 'a')).left(1), Bytes({0xFE}));
  EXPECT_EQ(Written(QByteArray(255, 'a')).left(3), Bytes({0xFF, 0xFF, 0x00}));
  EXPECT_EQ(Written(QByteArray(0xFFFD, 'a')).left(3), Bytes({0xFF, 0xFD, 0xFF}));
  EXPECT_EQ(Written(QByteArray(0xFFFE, 'a')).left(7), Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
  EXPECT_EQ(Written(QByteArray(0xFFFE, 'a')).size(), 0xFFFE + 7);
  EXPECT_EQ(Written(""), Bytes({0x00}));
}

TEST(Archive, stringsAndCounts_roundTripAtEverySize) {
  for (qsizetype n : {0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 70000}) {
    QByteArray data;
    ArchiveWriter w(data);
    const QByteArray text(n, 'x');
    w.writeCount(static_cast<std::uint32_t>(n));
    w.writeString(text);
    ArchiveReader r(data);
    std::uint32_t count = 0;
    QByteArray back;
    ASSERT_TRUE(r.readCount(count));
    ASSERT_TRUE(r.readString(back));
    EXPECT_EQ(count, static_cast<std::uint32_t>(n));
    EXPECT_EQ(back, text);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.ended());
  }
}

TEST(Archive, countLongForm_isFfffThen32Bits) {
  QByteArray data;
  ArchiveWriter(data).writeCount(0xFFFF);
  EXPECT_EQ(data, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
  data.clear();
  ArchiveWriter(data).writeCount(0xFFFE);
  EXPECT_EQ(data, Bytes({0xFE, 0xFF}));
}

TEST(Archive, utf16TaggedString_readsAsUtf8) {
  // FF FE FF tag, length 3 units, then "Hé€" in UTF-16LE.
  const QByteArray data = Bytes({0xFF, 0xFE, 0xFF, 0x03, 'H', 0x00, 0xE9, 0x00, 0xAC, 0x20});
  ArchiveReader r(data);
  QByteArray text;
  ASSERT_TRUE(r.readString(text));
  EXPECT_EQ(QString::fromUtf8(text), QString::fromUtf8("H\xC3\xA9\xE2\x82\xAC"));
  EXPECT_TRUE(r.atEnd());
}

TEST(Archive, utf16TaggedString_withLongLengthPrefix) {
  QByteArray data = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});  // 300 units
  for (int i = 0; i < 300; ++i) data += Bytes({'z', 0});
  ArchiveReader r(data);
  QByteArray text;
  ASSERT_TRUE(r.readString(text));
  EXPECT_EQ(text, QByteArray(300, 'z'));
}

TEST(Archive, truncatedInput_setsEndedAndKeepsFailing) {
  const QByteArray data = Bytes({0x05, 'a', 'b'});
  ArchiveReader r(data);
  QByteArray text;
  EXPECT_FALSE(r.readString(text));
  EXPECT_TRUE(r.ended());
  std::uint8_t b = 0;
  EXPECT_FALSE(r.readUInt8(b));
}

TEST(Archive, hugeDeclaredLengths_areRefusedWithoutAllocating) {
  for (const QByteArray& data :
       {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF})}) {
    ArchiveReader r(data);
    QByteArray text;
    EXPECT_FALSE(r.readString(text));
    EXPECT_TRUE(r.ended());
  }
}

TEST(Archive, integers_areLittleEndian) {
  QByteArray data;
  ArchiveWriter w(data);
  w.writeInt32(-2);
  w.writeUInt16(0x1234);
  EXPECT_EQ(data, Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12}));
  ArchiveReader r(data);
  std::int32_t i = 0;
  std::uint16_t u = 0;
  ASSERT_TRUE(r.readInt32(i));
  ASSERT_TRUE(r.readUInt16(u));
  EXPECT_EQ(i, -2);
  EXPECT_EQ(u, 0x1234);
}

TEST(Archive, randomInput_neverReadsPastTheEnd) {
  orlane::test::RandomBytes random(12345);
  for (int round = 0; round < 2000; ++round) {
    const QByteArray data = random.bytes(64);
    ArchiveReader r(data);
    QByteArray text;
    std::uint32_t count = 0;
    while (!r.ended() && !r.atEnd()) {
      if ((random.next() & 1) ? !r.readString(text) : !r.readCount(count)) break;
    }
    EXPECT_LE(r.position(), data.size());
  }
}
