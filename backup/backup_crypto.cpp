#include "backup/backup_crypto.h"

#include <sodium.h>

namespace orlane {

namespace {
constexpr char kKeyCheck[] = "Orlane 2 backup\n";
constexpr qsizetype kKeyCheckBytes = sizeof(kKeyCheck) - 1;
constexpr qsizetype kSealBytes = crypto_secretstream_xchacha20poly1305_ABYTES;

using Key = std::array<unsigned char, crypto_secretstream_xchacha20poly1305_KEYBYTES>;

bool DeriveKey(Key& key, QByteArrayView passphrase, const BackupHeader& header) {
  return crypto_pwhash(key.data(), key.size(), passphrase.data(), static_cast<unsigned long long>(passphrase.size()),
                       header.salt.data(), header.cost.operations, static_cast<size_t>(header.cost.memoryBytes),
                       crypto_pwhash_ALG_ARGON2ID13) == 0;
}

const unsigned char* Bytes(QByteArrayView view) {
  return reinterpret_cast<const unsigned char*>(view.data());
}
}  // namespace

struct BackupSealer::State {
  crypto_secretstream_xchacha20poly1305_state stream{};
  ~State() { sodium_memzero(&stream, sizeof stream); }
};

struct BackupOpener::State {
  crypto_secretstream_xchacha20poly1305_state stream{};
  ~State() { sodium_memzero(&stream, sizeof stream); }
};

BackupSealer::BackupSealer() = default;
BackupSealer::~BackupSealer() = default;

bool BackupSealer::start(QByteArrayView passphrase, const BackupKdfCost& cost, Sink sink, std::uint32_t chunkBytes) {
  if (sodium_init() < 0) return false;
  sink_ = std::move(sink);
  chunkBytes_ = chunkBytes;
  pending_.clear();
  pending_.reserve(chunkBytes_);
  BackupHeader header;
  header.cost = cost;
  header.chunkBytes = chunkBytes_;
  randombytes_buf(header.salt.data(), header.salt.size());
  Key key{};
  if (!DeriveKey(key, passphrase, header)) return false;
  state_ = std::make_unique<State>();
  crypto_secretstream_xchacha20poly1305_init_push(&state_->stream, header.streamHeader.data(), key.data());
  sodium_memzero(key.data(), key.size());
  const QByteArray headerBytes = SerializeBackupHeader(header);
  return sink_(headerBytes) && push(QByteArrayView(kKeyCheck, kKeyCheckBytes), 0, headerBytes);
}

bool BackupSealer::push(QByteArrayView plain, unsigned char tag, QByteArrayView additional) {
  QByteArray sealed(plain.size() + kSealBytes, Qt::Uninitialized);
  crypto_secretstream_xchacha20poly1305_push(&state_->stream, reinterpret_cast<unsigned char*>(sealed.data()), nullptr,
                                             Bytes(plain), static_cast<unsigned long long>(plain.size()),
                                             Bytes(additional), static_cast<unsigned long long>(additional.size()),
                                             tag);
  return sink_(sealed);
}

bool BackupSealer::append(QByteArrayView plain) {
  if (!state_) return false;
  while (!plain.isEmpty()) {
    // A full chunk is sealed only once more data follows: the last chunk must
    // carry the final tag, even when it is full.
    if (pending_.size() == static_cast<qsizetype>(chunkBytes_)) {
      if (!push(pending_, 0)) return false;
      pending_.clear();
    }
    const qsizetype take = std::min(plain.size(), static_cast<qsizetype>(chunkBytes_) - pending_.size());
    pending_.append(plain.first(take));
    plain = plain.sliced(take);
  }
  return true;
}

bool BackupSealer::finish() {
  if (!state_) return false;
  const bool sealed = push(pending_, crypto_secretstream_xchacha20poly1305_TAG_FINAL);
  pending_.clear();
  state_.reset();
  return sealed;
}

BackupOpener::BackupOpener() = default;
BackupOpener::~BackupOpener() = default;

BackupResult BackupOpener::open(QIODevice& device, QByteArrayView passphrase) {
  if (sodium_init() < 0) return BackupResult::ReadFailed;
  device_ = &device;
  finished_ = false;
  const QByteArray headerBytes = device.read(kBackupHeaderSize);
  if (headerBytes.isEmpty() && device.atEnd()) return BackupResult::NotABackup;
  if (headerBytes.size() < kBackupHeaderSize && !device.atEnd()) return BackupResult::ReadFailed;
  BackupHeaderError error = BackupHeaderError::None;
  const std::optional<BackupHeader> header = ParseBackupHeader(headerBytes, error);
  if (!header)
    return error == BackupHeaderError::BadParameters && headerBytes.size() < kBackupHeaderSize
               ? BackupResult::Damaged
               : BackupResult::NotABackup;
  chunkBytes_ = header->chunkBytes;
  Key key{};
  if (!DeriveKey(key, passphrase, *header)) return BackupResult::ReadFailed;
  state_ = std::make_unique<State>();
  const bool started =
      crypto_secretstream_xchacha20poly1305_init_pull(&state_->stream, header->streamHeader.data(), key.data()) == 0;
  sodium_memzero(key.data(), key.size());
  if (!started) return BackupResult::WrongPassphrase;

  const QByteArray check = device.read(kKeyCheckBytes + kSealBytes);
  if (check.size() < kKeyCheckBytes + kSealBytes) return BackupResult::Damaged;
  unsigned char plain[kKeyCheckBytes];
  unsigned char tag = 0;
  if (crypto_secretstream_xchacha20poly1305_pull(&state_->stream, plain, nullptr, &tag, Bytes(check),
                                                 static_cast<unsigned long long>(check.size()), Bytes(headerBytes),
                                                 static_cast<unsigned long long>(headerBytes.size())) != 0 ||
      tag != 0 || sodium_memcmp(plain, kKeyCheck, kKeyCheckBytes) != 0)
    return BackupResult::WrongPassphrase;
  sealed_.resize(static_cast<qsizetype>(chunkBytes_) + kSealBytes);
  plain_.resize(static_cast<qsizetype>(chunkBytes_));
  return BackupResult::Done;
}

BackupResult BackupOpener::next(QByteArrayView& plain) {
  plain = {};
  if (!state_) return BackupResult::Damaged;
  if (finished_) return BackupResult::Done;
  const qint64 got = device_->read(sealed_.data(), sealed_.size());
  if (got < 0) return BackupResult::ReadFailed;
  if (got < kSealBytes) return BackupResult::Damaged;
  unsigned long long length = 0;
  unsigned char tag = 0;
  if (crypto_secretstream_xchacha20poly1305_pull(&state_->stream, reinterpret_cast<unsigned char*>(plain_.data()),
                                                 &length, &tag, Bytes(sealed_), static_cast<unsigned long long>(got),
                                                 nullptr, 0) != 0)
    return BackupResult::Damaged;
  // Only the last chunk may be short, and nothing may follow it.
  const bool last = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
  if (last != (got < sealed_.size() || device_->atEnd())) return BackupResult::Damaged;
  if (last) {
    char extra = 0;
    if (device_->read(&extra, 1) != 0) return BackupResult::Damaged;
    finished_ = true;
  }
  plain = QByteArrayView(plain_.constData(), static_cast<qsizetype>(length));
  return BackupResult::Done;
}

}  // namespace orlane
