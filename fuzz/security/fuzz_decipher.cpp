// Any bytes as an enciphered buffer; enciphering them and deciphering the
// result must give them back.
#include "security/cipher.h"
#include "security/plain_error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const bool quiet = [] {
    orlane::SetPlainErrorHandler([](const QString&) {});
    return true;
  }();
  (void)quiet;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray buffer = input;
  const int length = static_cast<int>(buffer.size());
  orlane::DecipherBuffer(buffer, length);
  if (buffer.size() != length) std::abort();

  QByteArray round = input;
  const int enciphered = orlane::EncipherBuffer(round);
  if (orlane::DecipherBuffer(round, enciphered) != length || round.left(length) != input) std::abort();
  return 0;
}
