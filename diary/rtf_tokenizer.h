// Splits RTF bytes into tokens: group open, group close, control word with an
// optional number, control symbol, a run of text bytes, and the raw bytes that
// follow \binN. It owns nothing but a view of the input and never fails: bad
// input becomes harmless tokens, numbers clamp, \bin stops at the end.
#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace orlane {

enum class RtfTokenType { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, Text, Binary };

struct RtfToken {
  RtfTokenType type = RtfTokenType::End;
  QByteArrayView word;  // ControlWord: the letters (at most kMaxWordLength); ControlSymbol: the one character
  bool hasParam = false;
  std::int32_t param = 0;  // ControlWord number (clamped); \'hh: the byte value
  QByteArrayView data;     // Text and Binary: the bytes
};

class RtfTokenizer final {
 public:
  static constexpr int kMaxWordLength = 32;
  static constexpr int kMaxParamDigits = 10;

  explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

  RtfToken next();
  qsizetype position() const { return pos_; }
  bool atEnd() const { return pos_ >= input_.size(); }

 private:
  RtfToken readControl();

  QByteArrayView input_;
  qsizetype pos_ = 0;
};

}  // namespace orlane
