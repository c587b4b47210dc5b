// Any bytes as an enciphered buffer; enciphering them and deciphering the
// result must give them back.
#include "security/cipher.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray buffer = input;
  const int length = static_cast<int>(buffer.size());
  const orlane::CipherResult any = orlane::DecipherBuffer(buffer, length);
  if (buffer.size() != length || any.parameterError != (any.length == -1)) std::abort();

  QByteArray round = input;
  const int enciphered = orlane::EncipherBuffer(round);
  const orlane::CipherResult back = orlane::DecipherBuffer(round, enciphered);
  if (back.parameterError || back.length != length || round.left(length) != input) std::abort();
  return 0;
}
