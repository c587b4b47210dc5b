#include "security/cipher.h"
#include "security/idea.h"
#include "security/md5.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
QByteArray Hex(const Md5Digest& d) {
  return QByteArray(reinterpret_cast<const char*>(d.data()), 16).toHex();
}
}  // namespace

TEST(Md5, rfc1321Suite) {
  EXPECT_EQ(Hex(Md5("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex(Md5("a")), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Hex(Md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex(Md5("message digest")), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Hex(Md5("abcdefghijklmnopqrstuvwxyz")), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Hex(Md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Hex(Md5("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, lengthsAroundTheBlockTail) {
  // 55, 56 and 64 bytes put the length into the first or a second tail block.
  EXPECT_EQ(Hex(Md5(QByteArray(55, 'a'))), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Hex(Md5(QByteArray(56, 'a'))), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Hex(Md5(QByteArray(64, 'a'))), "014842d480b571495a4a0363793f7367");
}

TEST(Idea, publishedVector_andItsInverse) {
  const IdeaKeyWords key{1, 2, 3, 4, 5, 6, 7, 8};
  const IdeaSchedule enc = ExpandIdeaKey(key);
  std::uint8_t block[8] = {0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03};
  IdeaBlock(enc, block);
  EXPECT_EQ(QByteArray(reinterpret_cast<char*>(block), 8).toHex(), "11fbed2b01986de5");
  IdeaBlock(InvertIdeaSchedule(enc), block);
  EXPECT_EQ(QByteArray(reinterpret_cast<char*>(block), 8).toHex(), "0000000100020003");
}

TEST(Idea, keyLoading_takesTheLowByteAsSigned) {
  Md5Digest d{};
  d[0] = 0x12;
  d[1] = 0x34;
  d[2] = 0x12;
  d[3] = 0xB4;
  d[4] = 0x00;
  d[5] = 0x80;
  d[6] = 0xFF;
  d[7] = 0xFF;
  const IdeaKeyWords k = LoadIdeaKeyWords(d);
  EXPECT_EQ(k[0], 0x1234);
  EXPECT_EQ(k[1], 0x11B4);
  EXPECT_EQ(k[2], 0xFF80);  // 0 * 256 - 128 wraps
  EXPECT_EQ(k[3], 0xFEFF);
  EXPECT_EQ(k[4], 0x0000);
}

TEST(Cipher, paddingLengths) {
  for (int n : {0, 1, 7, 8, 9, 15, 16, 31, 32}) {
    QByteArray data(n, 'p');
    const int enciphered = EncipherBuffer(data);
    EXPECT_EQ(enciphered, n + (8 - n % 8)) << n;
    EXPECT_EQ(data.size(), enciphered);
    QByteArray back = data;
    const CipherResult plain = DecipherBuffer(back, enciphered);
    EXPECT_EQ(plain.length, n);
    EXPECT_FALSE(plain.parameterError);
    EXPECT_EQ(back.left(n), QByteArray(n, 'p'));
    // The padding stays in the buffer: p - 1 zeros, then p.
    const int p = enciphered - n;
    EXPECT_EQ(back.mid(n, p - 1), QByteArray(p - 1, '\0'));
    EXPECT_EQ(back.at(enciphered - 1), static_cast<char>(p));
  }
}

TEST(Cipher, emptyAndDefaultPassPhraseAgree_otherPhrasesDiffer) {
  QByteArray a("secret"), b("secret"), c("secret");
  EncipherBuffer(a);
  EncipherBuffer(b, kDefaultPassPhrase);
  EncipherBuffer(c, "another phrase");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

TEST(Cipher, badLengths_areAParameterErrorAndKeepTheInput) {
  QByteArray data("twelve bytes");
  const CipherResult bad = DecipherBuffer(data, 12);
  EXPECT_EQ(bad.length, -1);
  EXPECT_TRUE(bad.parameterError);
  EXPECT_EQ(data, "twelve bytes");
  EXPECT_STREQ(kParameterErrorText, "parameter error");

  QByteArray empty;
  const CipherResult none = DecipherBuffer(empty, 0);
  EXPECT_EQ(none.length, 0);
  EXPECT_FALSE(none.parameterError);
}

TEST(Cipher, padByteOf9_givesMinusOneAsAParameterError) {
  // Encipher a block whose last byte is 9 without padding rules, by enciphering
  // 7 bytes + 9 as the first block of a 16-byte plaintext and dropping the rest.
  QByteArray plain("1234567\x09", 8);
  EncipherBuffer(plain);
  QByteArray first = plain.left(8);
  const CipherResult r = DecipherBuffer(first, 8);
  EXPECT_EQ(r.length, -1);
  EXPECT_TRUE(r.parameterError);
}

TEST(Cipher, randomInputs_neverCrashAndStayInTheBuffer) {
  test::RandomBytes random(7);
  for (int round = 0; round < 500; ++round) {
    QByteArray data = random.bytes(80);
    const int n = static_cast<int>(data.size());
    const CipherResult r = DecipherBuffer(data, n);
    EXPECT_EQ(data.size(), n);
    EXPECT_EQ(r.parameterError, r.length == -1);
    if (n % 8 != 0) {
      EXPECT_TRUE(r.parameterError);
    }
  }
}
