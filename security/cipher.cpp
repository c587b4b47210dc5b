#include "security/cipher.h"

#include "security/idea.h"

namespace orlane {

namespace {
constexpr int kBlock = 8;

IdeaSchedule EncryptSchedule(QByteArrayView passPhrase) {
  if (passPhrase.isEmpty()) passPhrase = QByteArrayView(kDefaultPassPhrase);
  return ExpandIdeaKey(LoadIdeaKeyWords(Md5(passPhrase)));
}

void EcbInPlace(const IdeaSchedule& schedule, QByteArray& data, int length) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
  for (int i = 0; i + kBlock <= length; i += kBlock) IdeaBlock(schedule, bytes + i);
}

constexpr CipherResult kParameterError{.length = -1, .parameterError = true};
}  // namespace

int EncipherBuffer(QByteArray& data, QByteArrayView passPhrase) {
  const IdeaSchedule schedule = EncryptSchedule(passPhrase);
  const int n = static_cast<int>(data.size());
  const int p = kBlock - n % kBlock;
  data.append(QByteArray(p, '\0'));
  data[n + p - 1] = static_cast<char>(p);
  EcbInPlace(schedule, data, n + p);
  return n + p;
}

CipherResult DecipherBuffer(QByteArray& data, int length, QByteArrayView passPhrase) {
  const IdeaSchedule schedule = InvertIdeaSchedule(EncryptSchedule(passPhrase));
  if (length < 0) return kParameterError;
  if (data.size() < length) data.resize(length, '\0');
  if (length % kBlock != 0) {
    data.resize(length);
    return kParameterError;
  }
  if (length == 0) {
    data.resize(0);
    return {.length = 0};
  }
  data.resize(length);
  EcbInPlace(schedule, data, length);
  // The last byte counts the padding as a signed char, as stored files were written.
  const int pad = static_cast<signed char>(data[length - 1]);  // NOLINT(bugprone-signed-char-misuse)
  const int result = length - pad;
  if (result == -1) return kParameterError;
  return {.length = result};
}

}  // namespace orlane
