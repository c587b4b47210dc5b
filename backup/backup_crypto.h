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

#include <functional>
#include <memory>

namespace orlane {

inline constexpr std::uint32_t kBackupChunkBytes = 1u << 16;

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
  bool append(QByteArrayView plain);
  // Seals what is left with the final tag.
  bool finish();

 private:
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
