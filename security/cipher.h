// IDEA in ECB mode keyed by the MD5 digest of a pass phrase, over a buffer
// padded to a multiple of 8 bytes (p - 1 zeros and the byte p). It protects the
// user file; the pass phrase is always empty, which selects the default one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace orlane {

inline constexpr char kDefaultPassPhrase[] = "qwe482_mbn+tyuiop";

// What the user is shown (the plain error box) when deciphering fails.
inline constexpr char kParameterErrorText[] = "parameter error";

// What DecipherBuffer computed, or its failure. The library shows nothing:
// the caller the user is waiting for shows kParameterErrorText.
struct [[nodiscard]] CipherResult {
  int length = 0;               // -1 on a parameter error
  bool parameterError = false;  // a length that is not a multiple of 8, or a result of -1
};

// Pads and enciphers data in place; returns the new length n + p (it cannot fail).
int EncipherBuffer(QByteArray& data, QByteArrayView passPhrase = {});

// Deciphers the first `length` bytes of data in place. The result's length is
// the plaintext length (length minus the pad byte, read as a signed value);
// data keeps all `length` bytes. A length that is not a multiple of 8, or a
// result of -1, is a parameter error (length -1). The pad byte is not
// validated: a result outside 0..length means the key was wrong.
CipherResult DecipherBuffer(QByteArray& data, int length, QByteArrayView passPhrase = {});

}  // namespace orlane
