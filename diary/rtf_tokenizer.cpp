#include "diary/rtf_tokenizer.h"

#include <cstring>
#include <limits>

namespace orlane {
namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool EndsText(char c) {
  return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

// Where the text run from pos ends: at the next backslash, brace or line end,
// or at size. Page text comes in long runs, so it is looked at 16 bytes at a
// time; the bytes of the block that ends it are looked at one by one.
qsizetype TextEnd(const char* bytes, qsizetype pos, qsizetype size) {
  typedef char Bytes16 __attribute__((vector_size(16)));
  for (; pos + 16 <= size; pos += 16) {
    Bytes16 v;
    std::memcpy(&v, bytes + pos, sizeof v);
    const Bytes16 hits = (v == '\\') | (v == '{') | (v == '}') | (v == '\r') | (v == '\n');
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    if ((halves[0] | halves[1]) != 0) break;
  }
  while (pos < size && !EndsText(bytes[pos])) ++pos;
  return pos;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfToken RtfTokenizer::next() {
  const char* bytes = input_.data();
  const qsizetype size = input_.size();
  // Line ends carry no meaning in RTF; skip them between tokens.
  while (pos_ < size && (bytes[pos_] == '\r' || bytes[pos_] == '\n')) ++pos_;
  RtfToken token;
  if (pos_ >= size) return token;
  const char c = bytes[pos_];
  if (c == '{') {
    ++pos_;
    token.type = RtfTokenType::GroupOpen;
    return token;
  }
  if (c == '}') {
    ++pos_;
    token.type = RtfTokenType::GroupClose;
    return token;
  }
  if (c == '\\') return readControl();
  const qsizetype start = pos_;
  pos_ = TextEnd(bytes, pos_, size);
  token.type = RtfTokenType::Text;
  token.data = input_.sliced(start, pos_ - start);
  return token;
}

RtfToken RtfTokenizer::readControl() {
  const char* bytes = input_.data();
  const qsizetype size = input_.size();
  RtfToken token;
  ++pos_;  // the backslash
  if (pos_ >= size) {
    // A lone backslash at the very end: nothing to say.
    token.type = RtfTokenType::End;
    return token;
  }
  const char c = bytes[pos_];
  if (!IsLetter(c)) {
    token.type = RtfTokenType::ControlSymbol;
    token.word = input_.sliced(pos_, 1);
    ++pos_;
    if (c == '\'') {
      // \'hh: two hex digits; a damaged escape yields what could be read.
      int value = 0;
      int digits = 0;
      while (digits < 2 && pos_ < size && HexValue(bytes[pos_]) >= 0) {
        value = value * 16 + HexValue(bytes[pos_]);
        ++pos_;
        ++digits;
      }
      token.hasParam = digits > 0;
      token.param = value;
    } else if (c == '\r' || c == '\n') {
      token.word = QByteArrayView("\n", 1);  // backslash + line end is a paragraph mark
    }
    return token;
  }
  const qsizetype start = pos_;
  while (pos_ < size && IsLetter(bytes[pos_])) ++pos_;
  token.type = RtfTokenType::ControlWord;
  token.word = input_.sliced(start, std::min<qsizetype>(pos_ - start, kMaxWordLength));
  const bool minus = pos_ + 1 < size && bytes[pos_] == '-' && IsDigit(bytes[pos_ + 1]);
  if (pos_ < size && (minus || IsDigit(bytes[pos_]))) {
    bool negative = false;
    if (bytes[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    std::int64_t value = 0;
    int digits = 0;
    while (pos_ < size && IsDigit(bytes[pos_])) {
      if (digits < kMaxParamDigits + 1) value = value * 10 + (bytes[pos_] - '0');
      ++digits;
      ++pos_;
    }
    if (digits > 0) {
      token.hasParam = true;
      if (negative) value = -value;
      constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
      constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
      token.param = static_cast<std::int32_t>(value < lo ? lo : (value > hi ? hi : value));
    }
  }
  if (pos_ < size && bytes[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
  if (token.word == "bin" && token.hasParam) {
    // \binN: N raw bytes follow; a count beyond the input takes what is there.
    const qsizetype count = token.param > 0 ? std::min<qsizetype>(token.param, size - pos_) : 0;
    token.type = RtfTokenType::Binary;
    token.data = input_.sliced(pos_, count);
    pos_ += count;
  }
  return token;
}

}  // namespace orlane
