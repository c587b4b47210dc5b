// Deterministic pseudo-random byte strings for parser robustness tests.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace orlane::test {

class RandomBytes {
 public:
  explicit RandomBytes(std::uint32_t seed) : state_(seed) {}

  std::uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  // A string of 0 .. maxLength - 1 bytes.
  QByteArray bytes(int maxLength) {
    QByteArray out;
    const int n = static_cast<int>(next() % static_cast<std::uint32_t>(maxLength));
    for (int i = 0; i < n; ++i) out.append(static_cast<char>(next() >> 24));
    return out;
  }

 private:
  std::uint32_t state_;
};

}  // namespace orlane::test
