#include "backup/backup_header.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>

namespace orlane {

namespace {
constexpr char kMagic[] = "ORLBAK\r\n";
constexpr std::uint64_t kMaxOperations = 32;
constexpr std::uint64_t kMaxMemoryBytes = std::uint64_t(1) << 30;
constexpr std::uint32_t kMinChunkBytes = 4096;
constexpr std::uint32_t kMaxChunkBytes = 16u << 20;

template <typename T>
void Put(QByteArray& out, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

template <typename T>
T Get(const std::uint8_t* at) {
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(at[i]) << (8 * i);
  return value;
}
}  // namespace

BackupKdfCost DefaultBackupKdfCost() {
  return {crypto_pwhash_OPSLIMIT_MODERATE, crypto_pwhash_MEMLIMIT_MODERATE};
}

BackupKdfCost LightBackupKdfCost() {
  return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

namespace {
int HeaderSizeOfVersion(std::uint16_t version) {
  if (version == kBackupFormatVersion) return kBackupHeaderSize;
  if (version == kSealedBackupFormatVersion) return kSealedBackupHeaderSize;
  return 0;
}
}  // namespace

int BackupHeaderSizeOf(QByteArrayView prefix) {
  if (prefix.size() < kBackupHeaderPrefixSize || std::memcmp(prefix.data(), kMagic, 8) != 0) return 0;
  const auto* at = reinterpret_cast<const std::uint8_t*>(prefix.data());
  const int size = HeaderSizeOfVersion(Get<std::uint16_t>(at + 8));
  return size != 0 && Get<std::uint16_t>(at + 10) == size ? size : 0;
}

QByteArray SerializeBackupHeader(const BackupHeader& header) {
  const int size = HeaderSizeOfVersion(header.version);
  QByteArray out;
  out.reserve(size);
  out.append(kMagic, 8);
  Put<std::uint16_t>(out, header.version);
  Put<std::uint16_t>(out, static_cast<std::uint16_t>(size));
  Put<std::uint32_t>(out, header.kdf);
  Put<std::uint64_t>(out, header.cost.operations);
  Put<std::uint64_t>(out, header.cost.memoryBytes);
  out.append(reinterpret_cast<const char*>(header.salt.data()), static_cast<qsizetype>(header.salt.size()));
  Put<std::uint32_t>(out, header.chunkBytes);
  out.append(reinterpret_cast<const char*>(header.streamHeader.data()),
             static_cast<qsizetype>(header.streamHeader.size()));
  if (header.version == kSealedBackupFormatVersion)
    out.append(reinterpret_cast<const char*>(header.sealedKey.data()), static_cast<qsizetype>(header.sealedKey.size()));
  return out;
}

std::optional<BackupHeader> ParseBackupHeader(QByteArrayView bytes, BackupHeaderError& error) {
  error = BackupHeaderError::NoMagic;
  if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic, 8) != 0) return std::nullopt;
  const auto* at = reinterpret_cast<const std::uint8_t*>(bytes.data());
  BackupHeader header;
  header.version = Get<std::uint16_t>(at + 8);
  error = BackupHeaderError::UnsupportedVersion;
  const int size = BackupHeaderSizeOf(bytes);
  if (size == 0) return std::nullopt;
  error = BackupHeaderError::BadParameters;
  if (bytes.size() < size) return std::nullopt;
  header.kdf = Get<std::uint32_t>(at + 12);
  header.cost.operations = Get<std::uint64_t>(at + 16);
  header.cost.memoryBytes = Get<std::uint64_t>(at + 24);
  std::copy_n(at + 32, header.salt.size(), header.salt.begin());
  header.chunkBytes = Get<std::uint32_t>(at + 48);
  std::copy_n(at + 52, header.streamHeader.size(), header.streamHeader.begin());
  if (header.version == kSealedBackupFormatVersion)
    std::copy_n(at + kBackupHeaderSize, header.sealedKey.size(), header.sealedKey.begin());
  const BackupKdfCost light = LightBackupKdfCost();
  if (header.kdf != kBackupKdfArgon2id || header.cost.operations < light.operations ||
      header.cost.operations > kMaxOperations || header.cost.memoryBytes < light.memoryBytes ||
      header.cost.memoryBytes > kMaxMemoryBytes || header.chunkBytes < kMinChunkBytes ||
      header.chunkBytes > kMaxChunkBytes)
    return std::nullopt;
  error = BackupHeaderError::None;
  return header;
}

}  // namespace orlane
