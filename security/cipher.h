// IDEA in ECB mode keyed by the MD5 digest of a pass phrase, over a buffer
// padded to a multiple of 8 bytes (p - 1 zeros and the byte p). It protects the
// user file; the pass phrase is always empty, which selects the default one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace orlane {

inline constexpr char kDefaultPassPhrase[] = "qwe482_mbn+tyuiop";

// Pads and enciphers data in place; returns the new length n + p.
int EncipherBuffer(QByteArray& data, QByteArrayView passPhrase = {});

// Deciphers the first `length` bytes of data in place. Returns the plaintext
// length (length minus the pad byte, read as a signed value); data keeps all
// `length` bytes. A length that is not a multiple of 8, or a result of -1,
// shows "parameter error" and returns -1. The pad byte is not validated: a
// result outside 0..length means the key was wrong.
int DecipherBuffer(QByteArray& data, int length, QByteArrayView passPhrase = {});

}  // namespace orlane
