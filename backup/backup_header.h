// The fixed header in front of every backup file: magic, format version, the
// Argon2id parameters and salt the key is derived with, the plaintext chunk
// size and the secretstream header. All integers little-endian:
//   0  8  magic "ORLBAK\r\n"
//   8  2  format version (1 or 2)
//  10  2  header size in bytes (76 for version 1, 156 for version 2)
//  12  4  key derivation algorithm (2: Argon2id v1.3)
//  16  8  Argon2id operations limit
//  24  8  Argon2id memory limit in bytes
//  32 16  salt
//  48  4  plaintext bytes per chunk
//  52 24  XChaCha20-Poly1305 secretstream header
// Version 2 (the automatic backups, made without the passphrase at hand) adds
//  76 80  the stream key sealed to a public key (crypto_box_seal), whose
//         secret key is derived from the passphrase with the Argon2id
//         parameters above; version 1 derives the stream key itself.
// The whole header is the additional data of the first chunk, so any change
// to it fails that chunk's authentication.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>

namespace orlane {

inline constexpr int kBackupHeaderSize = 76;
inline constexpr std::uint16_t kBackupFormatVersion = 1;
inline constexpr int kSealedBackupHeaderSize = 156;
inline constexpr std::uint16_t kSealedBackupFormatVersion = 2;
inline constexpr int kSealedStreamKeyBytes = 80;
// Enough of the header to know its version and size.
inline constexpr int kBackupHeaderPrefixSize = 12;
inline constexpr std::uint32_t kBackupKdfArgon2id = 2;

// The Argon2id cost; what the header carries is bounded so that a hostile file
// cannot make a reader allocate gigabytes or spin for minutes.
struct BackupKdfCost {
  std::uint64_t operations = 0;
  std::uint64_t memoryBytes = 0;
};
BackupKdfCost DefaultBackupKdfCost();
// The cheapest cost the format accepts (tests and fuzzing).
BackupKdfCost LightBackupKdfCost();

struct BackupHeader {
  std::uint16_t version = kBackupFormatVersion;
  std::uint32_t kdf = kBackupKdfArgon2id;
  BackupKdfCost cost;
  std::array<std::uint8_t, 16> salt{};
  std::uint32_t chunkBytes = 0;
  std::array<std::uint8_t, 24> streamHeader{};
  std::array<std::uint8_t, kSealedStreamKeyBytes> sealedKey{};  // version 2 only
};

// The header's size in bytes as its first kBackupHeaderPrefixSize bytes give
// it; 0 when they are not the start of a header of a known version.
int BackupHeaderSizeOf(QByteArrayView prefix);

enum class BackupHeaderError { None, NoMagic, UnsupportedVersion, BadParameters };

QByteArray SerializeBackupHeader(const BackupHeader& header);
// Parses the header at the start of bytes; error says why nothing came back.
std::optional<BackupHeader> ParseBackupHeader(QByteArrayView bytes, BackupHeaderError& error);

}  // namespace orlane
