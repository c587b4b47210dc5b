// The tokenizer's view of RTF: groups, words with numbers, symbols, text and
// \bin data, and what it makes of damaged input.
#include "diary/rtf_tokenizer.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace orlane;

namespace {

// One line per token: "{", "}", "\word", "\word=N", "\'=N", "text:...", "bin:N".
std::vector<std::string> Tokens(QByteArrayView input) {
  RtfTokenizer tokenizer(input);
  std::vector<std::string> out;
  for (int guard = 0; guard < 10000; ++guard) {
    const RtfToken t = tokenizer.next();
    std::string word(t.word.data(), static_cast<size_t>(t.word.size()));
    switch (t.type) {
      case RtfTokenType::End: return out;
      case RtfTokenType::GroupOpen: out.push_back("{"); break;
      case RtfTokenType::GroupClose: out.push_back("}"); break;
      case RtfTokenType::ControlWord:
      case RtfTokenType::ControlSymbol:
        out.push_back("\\" + word + (t.hasParam ? "=" + std::to_string(t.param) : ""));
        break;
      case RtfTokenType::Text:
        out.push_back("text:" + std::string(t.data.data(), static_cast<size_t>(t.data.size())));
        break;
      case RtfTokenType::Binary: out.push_back("bin:" + std::to_string(t.data.size())); break;
    }
  }
  ADD_FAILURE() << "the tokenizer did not reach the end";
  return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(RtfTokenizer, wordsNumbersSymbolsAndText) {
  EXPECT_EQ(Tokens("{\\rtf1\\b0 bold\\i-5x\\'e9\\*\\\\\\{}"),
            (V{"{", "\\rtf=1", "\\b=0", "text:bold", "\\i=-5", "text:x", "\\'=233", "\\*", "\\\\", "\\{", "}"}));
  // The space after a word belongs to it; a second space is text. Line ends vanish.
  EXPECT_EQ(Tokens("\\par  a\r\nb\\\nc"), (V{"\\par", "text: a", "text:b", "\\\n", "text:c"}));
}

TEST(RtfTokenizer, hugeNumbersClampAndLongWordsAreCut) {
  EXPECT_EQ(Tokens("\\fs99999999999999999999 \\li-99999999999"),
            (V{"\\fs=" + std::to_string(std::numeric_limits<int32_t>::max()),
               "\\li=" + std::to_string(std::numeric_limits<int32_t>::min())}));
  const QByteArray longWord = "\\" + QByteArray(100, 'a') + "7";
  EXPECT_EQ(Tokens(longWord), (V{"\\" + std::string(RtfTokenizer::kMaxWordLength, 'a') + "=7"}));
  EXPECT_EQ(Tokens("\\x-"), (V{"\\x", "text:-"}));  // a minus without digits is text
}

TEST(RtfTokenizer, binaryDataAndDamagedEnds) {
  // The three bytes after the delimiting space are data, braces and backslash included.
  EXPECT_EQ(Tokens("\\bin3 {}\\x}"), (V{"bin:3", "text:x", "}"}));
  EXPECT_EQ(Tokens("\\bin99 ab"), (V{"bin:2"}));
  EXPECT_EQ(Tokens("\\bin-4 ab"), (V{"bin:0", "text:ab"}));
  EXPECT_EQ(Tokens("a\\"), (V{"text:a"}));
  EXPECT_EQ(Tokens("\\'"), (V{"\\'"}));
  EXPECT_EQ(Tokens("\\'4"), (V{"\\'=4"}));
  EXPECT_EQ(Tokens("\\'zz"), (V{"\\'", "text:zz"}));
}

TEST(RtfTokenizer, longTextEndsAtTheFirstMarkWhereverItFalls) {
  // Text is scanned in blocks of 16 bytes; the mark may stand anywhere in one.
  for (int length = 1; length < 40; ++length)
    for (const char* mark : {"\\x", "{", "}", "\r", "\n"}) {
      const std::string text(static_cast<size_t>(length), 'a');
      const V tokens = Tokens(QByteArray::fromStdString(text + mark));
      ASSERT_FALSE(tokens.empty());
      EXPECT_EQ(tokens.front(), "text:" + text) << length << mark;
      EXPECT_EQ(tokens.size(), mark[0] == '\\' || mark[0] == '{' || mark[0] == '}' ? 2u : 1u);
    }
}
