// The encryption of a backup: a key derived from the passphrase with Argon2id,
// then an XChaCha20-Poly1305 secretstream over fixed-size plaintext chunks.
// The first chunk is a short key check, so a wrong passphrase is told apart
// from a damaged archive; the last chunk carries the final tag, so a file cut
// short at a chunk boundary is noticed too.
#pragma once

#include "backup/backup_header.h"
#include "backup/backup_result.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace orlane {

inline constexpr std::uint32_t kBackupChunkBytes = 1u << 16;

// What backups are made with when the passphrase is not at hand: the public
// half of a key pair whose secret half the passphrase derives (with this
// salt and cost), so only the passphrase opens them. It may be kept where
// anyone reads it; the passphrase itself never is.
struct BackupPublicKey {
  BackupKdfCost cost;
  std::array<std::uint8_t, 16> salt{};
  std::array<std::uint8_t, 32> key{};
};
// Nullopt when the key could not be derived (out of memory).
std::optional<BackupPublicKey> DeriveBackupPublicKey(QByteArrayView passphrase,
                                                     const BackupKdfCost& cost = DefaultBackupKdfCost());
// "argon2id:OPS:MEMORY:SALT:KEY", salt and key in hex; ParseBackupPublicKey
// refuses anything else, and costs the header would refuse.
QString FormatBackupPublicKey(const BackupPublicKey& key);
std::optional<BackupPublicKey> ParseBackupPublicKey(const QString& text);

// Encrypts what is appended and hands the sealed bytes to the sink.
class BackupSealer final {
 public:
  using Sink = std::function<bool(QByteArrayView sealed)>;

  BackupSealer();
  ~BackupSealer();
  BackupSealer(const BackupSealer&) = delete;
  BackupSealer& operator=(const BackupSealer&) = delete;

  // Derives the key and writes the header and the key check; false when the
  // sink failed or the key could not be derived (out of memory).
  bool start(QByteArrayView passphrase, const BackupKdfCost& cost, Sink sink,
             std::uint32_t chunkBytes = kBackupChunkBytes);
  // The same with a random stream key sealed to the public key into the header.
  bool start(const BackupPublicKey& key, Sink sink, std::uint32_t chunkBytes = kBackupChunkBytes);
  bool append(QByteArrayView plain);
  // Seals what is left with the final tag.
  bool finish();

 private:
  bool begin(BackupHeader& header, const unsigned char* streamKey);
  bool push(QByteArrayView plain, unsigned char tag, QByteArrayView additional = {});

  struct State;
  std::unique_ptr<State> state_;
  Sink sink_;
  QByteArray pending_;
  std::uint32_t chunkBytes_ = kBackupChunkBytes;
};

// Reads and decrypts a backup from a device, one chunk at a time.
class BackupOpener final {
 public:
  BackupOpener();
  ~BackupOpener();
  BackupOpener(const BackupOpener&) = delete;
  BackupOpener& operator=(const BackupOpener&) = delete;

  // Reads the header and checks the key: Done, NotABackup, WrongPassphrase,
  // Damaged (cut short inside the header) or ReadFailed.
  BackupResult open(QIODevice& device, QByteArrayView passphrase);
  // The next chunk's plaintext (empty at the end, after the final tag was
  // seen and nothing follows it), or Damaged / ReadFailed.
  BackupResult next(QByteArrayView& plain);
  bool atEnd() const { return finished_; }

 private:
  struct State;
  std::unique_ptr<State> state_;
  QIODevice* device_ = nullptr;
  QByteArray sealed_;
  QByteArray plain_;
  std::uint32_t chunkBytes_ = 0;
  bool finished_ = false;
};

}  // namespace orlane
