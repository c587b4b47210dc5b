#include "security/scramble.h"
#include "platform/file_io.h"
#include "security/session.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(Scramble, knownBytesAndFullInverse) {
  EXPECT_EQ(Scrambled(QByteArray("\x00\x09\xFF", 3)), QByteArray("\x12\x00\xED", 3));
  QByteArray all(256, '\0');
  for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
  const QByteArray scrambled = Scrambled(all);
  EXPECT_EQ(Unscrambled(scrambled), all);
  // A permutation: every value appears once.
  QByteArray sorted = scrambled;
  std::sort(sorted.begin(), sorted.end(),
            [](char a, char b) { return static_cast<quint8>(a) < static_cast<quint8>(b); });
  EXPECT_EQ(sorted, all);
}

TEST(Scramble, countOfZeroOrLessDoesNothing) {
  QByteArray data("abc");
  ScrambleBytes(data.data(), 0);
  ScrambleBytes(data.data(), -4);
  EXPECT_EQ(data, "abc");
}

TEST(Scramble, filesRoundTripAndMissingFilesFail) {
  test::TempUserFolder folder;
  folder.write(QStringLiteral("x"), "plain text");
  ASSERT_EQ(ScrambleFile(folder.file(QStringLiteral("x"))), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("x")), Scrambled("plain text"));
  ASSERT_EQ(UnscrambleFile(folder.file(QStringLiteral("x"))), WriteResult::Written);
  EXPECT_EQ(folder.read(QStringLiteral("x")), "plain text");
  EXPECT_EQ(ScrambleFile(folder.file(QStringLiteral("missing"))), WriteResult::Failed);
  EXPECT_FALSE(folder.exists(QStringLiteral("missing")));
}

TEST(PasswordHeader, shortPasswordHasTerminatorAnd32BytesNone) {
  const QByteArray header = Unscrambled(MakePasswordHeader("abcde"));
  ASSERT_EQ(header.size(), 32);
  EXPECT_EQ(header.left(6), QByteArray("abcde\0", 6));
  EXPECT_EQ(PasswordHeaderText(MakePasswordHeader("abcde")), "abcde");

  const QByteArray full(32, 'Z');
  EXPECT_EQ(Unscrambled(MakePasswordHeader(full)), full);
  EXPECT_EQ(PasswordHeaderText(MakePasswordHeader(full)), full);
  EXPECT_EQ(CheckPasswordHeader(MakePasswordHeader(full) + "x", full), PasswordHeaderCheck::Matches);
}

TEST(PasswordHeader, checkIsExactAndCaseSensitive) {
  const QByteArray file = WrapWithPasswordHeader("{\\rtf1 page}", "Secret");
  EXPECT_EQ(CheckPasswordHeader(file, "Secret"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(CheckPasswordHeader(file, "secret"), PasswordHeaderCheck::OtherPassword);
  EXPECT_EQ(CheckPasswordHeader(file, "Secre"), PasswordHeaderCheck::OtherPassword);
  EXPECT_EQ(CheckPasswordHeader(file.left(31), "Secret"), PasswordHeaderCheck::TooShort);
  EXPECT_EQ(UnwrapPasswordHeader(file), "{\\rtf1 page}");
  EXPECT_EQ(CheckPasswordHeader(WrapWithPasswordHeader("x", ""), ""), PasswordHeaderCheck::Matches);
}

TEST(PasswordHeader, writePasswordHeaderWrapsThePlainFile) {
  test::TempUserFolder folder;
  SetCurrentPassword("pw");
  folder.write(QStringLiteral("07d60105.dia"), "{\\rtf1 hello}");
  ASSERT_EQ(WritePasswordHeader(folder.file(QStringLiteral("07d60105.dia"))), WriteResult::Written);
  const QByteArray stored = folder.read(QStringLiteral("07d60105.dia"));
  EXPECT_EQ(stored.size(), 32 + 13);
  EXPECT_EQ(CheckPasswordHeader(stored, "pw"), PasswordHeaderCheck::Matches);
  EXPECT_EQ(UnwrapPasswordHeader(stored), "{\\rtf1 hello}");
  EXPECT_EQ(WritePasswordHeader(folder.file(QStringLiteral("none.dia"))), WriteResult::Failed);
  EXPECT_FALSE(folder.exists(QStringLiteral("none.dia")));
  SetCurrentPassword({});
}

TEST(Scramble, vectorAndTailPathsAgreeWithTheByteRule) {
  for (int n : {1, 31, 32, 33, 63, 64, 65, 100, 1000}) {
    QByteArray data(n, '\0');
    for (int i = 0; i < n; ++i) data[i] = static_cast<char>(i * 37 + n);
    QByteArray expected = data;
    for (char& c : expected) {
      const auto x = static_cast<quint8>(static_cast<quint8>(c) ^ 0x09);
      c = static_cast<char>(static_cast<quint8>((x << 1) | (x >> 7)));
    }
    EXPECT_EQ(Scrambled(data), expected) << n;
    EXPECT_EQ(Unscrambled(expected), data) << n;
  }
}

TEST(PasswordHeader, unwrapInPlaceAndComparisonAgreeWithTheCopy) {
  for (int n : {0, 1, 4095, 4096, 4097, 9000}) {
    QByteArray content(n, '\0');
    for (int i = 0; i < n; ++i) content[i] = static_cast<char>(i * 7 + 3);
    const QByteArray wrapped = WrapWithPasswordHeader(content, "pw");
    EXPECT_EQ(UnwrapPasswordHeader(QByteArray(wrapped)), UnwrapPasswordHeader(QByteArrayView(wrapped))) << n;
    EXPECT_TRUE(UnwrapsTo(wrapped, content)) << n;
    EXPECT_FALSE(UnwrapsTo(wrapped, content + 'x')) << n;
    if (n == 0) continue;
    QByteArray changed = content;
    changed[n - 1] = static_cast<char>(changed[n - 1] + 1);
    EXPECT_FALSE(UnwrapsTo(wrapped, changed)) << n;
  }
  EXPECT_TRUE(UnwrapsTo(QByteArray(10, 'h'), {}));  // no whole header: nothing behind it
  EXPECT_FALSE(UnwrapsTo(QByteArray(10, 'h'), "x"));
}
