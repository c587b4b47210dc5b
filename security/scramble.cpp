#include "security/scramble.h"

#include "platform/file_io.h"
#include "security/session.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace orlane {

namespace {
using Table = std::array<std::uint8_t, 256>;

constexpr Table MakeScrambleTable() {
  Table t{};
  for (int b = 0; b < 256; ++b) {
    const auto x = static_cast<std::uint8_t>(b ^ 0x09);
    t[static_cast<size_t>(b)] = static_cast<std::uint8_t>((x << 1) | (x >> 7));
  }
  return t;
}

constexpr Table MakeUnscrambleTable() {
  Table t{};
  for (int c = 0; c < 256; ++c) {
    const auto x = static_cast<std::uint8_t>(c);
    t[static_cast<size_t>(c)] = static_cast<std::uint8_t>(((x >> 1) | (x << 7)) ^ 0x09);
  }
  return t;
}

constexpr Table kScramble = MakeScrambleTable();
constexpr Table kUnscramble = MakeUnscrambleTable();

void Apply(const Table& table, char* bytes, qsizetype count) {
  auto* p = reinterpret_cast<std::uint8_t*>(bytes);
  for (qsizetype i = 0; i < count; ++i) p[i] = table[p[i]];
}

// The same transforms 32 bytes at a time; an AVX2 copy is chosen at run time
// where the processor has it. The tail goes through the tables.
typedef std::uint8_t Bytes32 __attribute__((vector_size(32)));

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ORLANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ORLANE_VECTOR_CLONES
#endif

ORLANE_VECTOR_CLONES qsizetype ScrambleVector(std::uint8_t* p, qsizetype count) {
  qsizetype i = 0;
  for (; i + 32 <= count; i += 32) {
    Bytes32 v;
    std::memcpy(&v, p + i, sizeof v);
    v ^= 0x09;
    v = (v << 1) | (v >> 7);
    std::memcpy(p + i, &v, sizeof v);
  }
  return i;
}

ORLANE_VECTOR_CLONES qsizetype UnscrambleVector(std::uint8_t* p, qsizetype count) {
  qsizetype i = 0;
  for (; i + 32 <= count; i += 32) {
    Bytes32 v;
    std::memcpy(&v, p + i, sizeof v);
    v = ((v >> 1) | (v << 7)) ^ 0x09;
    std::memcpy(p + i, &v, sizeof v);
  }
  return i;
}

WriteResult TransformFile(const QString& path, const Table& table) {
  QByteArray bytes;
  if (ReadFileBytes(path, bytes) != FileReadResult::Ok) return WriteResult::Failed;
  Apply(table, bytes.data(), bytes.size());
  return AtomicWriteFile(path, bytes);
}
}  // namespace

void ScrambleBytes(char* bytes, qsizetype count) {
  if (count <= 0) return;
  const qsizetype done = ScrambleVector(reinterpret_cast<std::uint8_t*>(bytes), count);
  Apply(kScramble, bytes + done, count - done);
}

void UnscrambleBytes(char* bytes, qsizetype count) {
  if (count <= 0) return;
  const qsizetype done = UnscrambleVector(reinterpret_cast<std::uint8_t*>(bytes), count);
  Apply(kUnscramble, bytes + done, count - done);
}

QByteArray Scrambled(QByteArrayView bytes) {
  QByteArray out(bytes.data(), bytes.size());
  ScrambleBytes(out.data(), out.size());
  return out;
}

QByteArray Unscrambled(QByteArrayView bytes) {
  QByteArray out(bytes.data(), bytes.size());
  UnscrambleBytes(out.data(), out.size());
  return out;
}

WriteResult ScrambleFile(const QString& path) {
  return TransformFile(path, kScramble);
}
WriteResult UnscrambleFile(const QString& path) {
  return TransformFile(path, kUnscramble);
}

QByteArray MakePasswordHeader(QByteArrayView password) {
  QByteArray header(kPasswordHeaderSize, '\0');
  const qsizetype n = std::min<qsizetype>(password.size(), kPasswordHeaderSize);
  std::copy_n(password.data(), n, header.data());
  ScrambleBytes(header.data(), header.size());
  return header;
}

QByteArray PasswordHeaderText(QByteArrayView storedHeader) {
  QByteArray plain = Unscrambled(storedHeader.first(std::min<qsizetype>(storedHeader.size(), kPasswordHeaderSize)));
  const qsizetype zero = plain.indexOf('\0');
  if (zero >= 0) plain.truncate(zero);
  return plain;
}

PasswordHeaderCheck CheckPasswordHeader(QByteArrayView fileBytes, QByteArrayView password) {
  if (fileBytes.size() < kPasswordHeaderSize) return PasswordHeaderCheck::TooShort;
  return PasswordHeaderText(fileBytes) == password ? PasswordHeaderCheck::Matches : PasswordHeaderCheck::OtherPassword;
}

// Pages run to megabytes: the header and the content share one buffer, and
// the content is scrambled where it lies.
QByteArray WrapWithPasswordHeader(QByteArrayView plainContent, QByteArrayView password) {
  QByteArray wrapped(kPasswordHeaderSize + plainContent.size(), Qt::Uninitialized);
  const QByteArray header = MakePasswordHeader(password);
  std::memcpy(wrapped.data(), header.constData(), kPasswordHeaderSize);
  char* content = wrapped.data() + kPasswordHeaderSize;
  std::memcpy(content, plainContent.data(), static_cast<size_t>(plainContent.size()));
  ScrambleBytes(content, plainContent.size());
  return wrapped;
}

QByteArray UnwrapPasswordHeader(QByteArrayView fileBytes) {
  if (fileBytes.size() <= kPasswordHeaderSize) return {};
  return Unscrambled(fileBytes.sliced(kPasswordHeaderSize));
}

QByteArray UnwrapPasswordHeader(QByteArray&& fileBytes) {
  if (fileBytes.size() <= kPasswordHeaderSize) return {};
  QByteArray plain = std::move(fileBytes);
  plain.remove(0, kPasswordHeaderSize);  // moves the start of the buffer, not its bytes
  UnscrambleBytes(plain.data(), plain.size());
  return plain;
}

// A block at a time, unscrambled in a buffer of its own.
bool UnwrapsTo(QByteArrayView fileBytes, QByteArrayView plainContent) {
  if (fileBytes.size() <= kPasswordHeaderSize) return plainContent.isEmpty();
  const QByteArrayView scrambled = fileBytes.sliced(kPasswordHeaderSize);
  if (scrambled.size() != plainContent.size()) return false;
  char block[4096];
  for (qsizetype at = 0; at < scrambled.size(); at += qsizetype(sizeof block)) {
    const qsizetype n = std::min<qsizetype>(sizeof block, scrambled.size() - at);
    std::memcpy(block, scrambled.data() + at, static_cast<size_t>(n));
    UnscrambleBytes(block, n);
    if (std::memcmp(block, plainContent.data() + at, static_cast<size_t>(n)) != 0) return false;
  }
  return true;
}

WriteResult WritePasswordHeader(const QString& path) {
  QByteArray plain;
  if (ReadFileBytes(path, plain) != FileReadResult::Ok) return WriteResult::Failed;
  return AtomicWriteFile(path, WrapWithPasswordHeader(plain, CurrentPassword()));
}

}  // namespace orlane
