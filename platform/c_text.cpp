#include "platform/c_text.h"

#include <climits>

namespace orlane {

namespace {
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

int AtoiLike(QByteArrayView text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<std::int64_t>(INT_MAX) + 1) value = static_cast<std::int64_t>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

QByteArray DecimalText(std::int64_t value) {
  return QByteArray::number(static_cast<qlonglong>(value));
}

}  // namespace orlane
