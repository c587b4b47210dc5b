// Conversions with the C library's lenient rules, used wherever stored texts are
// read back as numbers (settings texts, time keys).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace orlane {

// atoi: optional leading white space, an optional sign, then the leading decimal
// digits; no digits give 0. Values beyond the int range saturate instead of
// overflowing.
int AtoiLike(QByteArrayView text);

// "%d" of a value, as the stored texts hold it.
QByteArray DecimalText(std::int64_t value);

}  // namespace orlane
