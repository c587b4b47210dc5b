#include "backup/backup_crypto.h"

#include <QStringList>

#include <sodium.h>

#include <algorithm>

namespace orlane {

namespace {
constexpr char kKeyCheck[] = "Orlane 2 backup\n";
constexpr qsizetype kKeyCheckBytes = sizeof(kKeyCheck) - 1;
constexpr qsizetype kSealBytes = crypto_secretstream_xchacha20poly1305_ABYTES;

using Key = std::array<unsigned char, crypto_secretstream_xchacha20poly1305_KEYBYTES>;
static_assert(crypto_box_SEEDBYTES == sizeof(Key), "one derivation serves both key kinds");
static_assert(crypto_box_SEALBYTES + sizeof(Key) == kSealedStreamKeyBytes);
static_assert(crypto_box_PUBLICKEYBYTES == sizeof(BackupPublicKey::key));

// The stream key of a version 1 header, or the key pair's seed of version 2.
bool DeriveKey(Key& key, QByteArrayView passphrase, const std::array<std::uint8_t, 16>& salt,
               const BackupKdfCost& cost) {
  return crypto_pwhash(key.data(), key.size(), passphrase.data(), static_cast<unsigned long long>(passphrase.size()),
                       salt.data(), cost.operations, static_cast<size_t>(cost.memoryBytes),
                       crypto_pwhash_ALG_ARGON2ID13) == 0;
}

// The stream key a version 2 header seals: Done, WrongPassphrase, or
// ReadFailed when the key could not be derived.
BackupResult UnsealStreamKey(Key& streamKey, QByteArrayView passphrase, const BackupHeader& header) {
  Key seed{};
  if (!DeriveKey(seed, passphrase, header.salt, header.cost)) return BackupResult::ReadFailed;
  std::array<unsigned char, crypto_box_PUBLICKEYBYTES> publicKey{};
  std::array<unsigned char, crypto_box_SECRETKEYBYTES> secretKey{};
  crypto_box_seed_keypair(publicKey.data(), secretKey.data(), seed.data());
  const bool opened = crypto_box_seal_open(streamKey.data(), header.sealedKey.data(), header.sealedKey.size(),
                                           publicKey.data(), secretKey.data()) == 0;
  sodium_memzero(seed.data(), seed.size());
  sodium_memzero(secretKey.data(), secretKey.size());
  return opened ? BackupResult::Done : BackupResult::WrongPassphrase;
}

const unsigned char* Bytes(QByteArrayView view) {
  return reinterpret_cast<const unsigned char*>(view.data());
}

template <std::size_t N>
bool FromHex(const QString& text, std::array<std::uint8_t, N>& out) {
  const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
  if (text.size() != static_cast<qsizetype>(2 * N) || bytes.size() != static_cast<qsizetype>(N) ||
      bytes.toHex() != text.toLatin1().toLower())
    return false;
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return true;
}

template <std::size_t N>
QString ToHex(const std::array<std::uint8_t, N>& bytes) {
  return QString::fromLatin1(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(N)).toHex());
}
}  // namespace

std::optional<BackupPublicKey> DeriveBackupPublicKey(QByteArrayView passphrase, const BackupKdfCost& cost) {
  if (sodium_init() < 0) return std::nullopt;
  BackupPublicKey out;
  out.cost = cost;
  randombytes_buf(out.salt.data(), out.salt.size());
  Key seed{};
  if (!DeriveKey(seed, passphrase, out.salt, cost)) return std::nullopt;
  std::array<unsigned char, crypto_box_SECRETKEYBYTES> secretKey{};
  crypto_box_seed_keypair(out.key.data(), secretKey.data(), seed.data());
  sodium_memzero(seed.data(), seed.size());
  sodium_memzero(secretKey.data(), secretKey.size());
  return out;
}

QString FormatBackupPublicKey(const BackupPublicKey& key) {
  return QStringLiteral("argon2id:%1:%2:%3:%4")
      .arg(key.cost.operations)
      .arg(key.cost.memoryBytes)
      .arg(ToHex(key.salt), ToHex(key.key));
}

std::optional<BackupPublicKey> ParseBackupPublicKey(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(':'));
  if (parts.size() != 5 || parts[0] != QLatin1String("argon2id")) return std::nullopt;
  BackupPublicKey key;
  bool opsOk = false;
  bool memoryOk = false;
  key.cost.operations = parts[1].toULongLong(&opsOk);
  key.cost.memoryBytes = parts[2].toULongLong(&memoryOk);
  if (!opsOk || !memoryOk || !FromHex(parts[3], key.salt) || !FromHex(parts[4], key.key)) return std::nullopt;
  // The header these backups get must be one every reader accepts.
  BackupHeader header;
  header.cost = key.cost;
  header.chunkBytes = kBackupChunkBytes;
  BackupHeaderError error = BackupHeaderError::None;
  if (!ParseBackupHeader(SerializeBackupHeader(header), error)) return std::nullopt;
  return key;
}

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
  BackupHeader header;
  header.cost = cost;
  randombytes_buf(header.salt.data(), header.salt.size());
  Key key{};
  if (!DeriveKey(key, passphrase, header.salt, cost)) return false;
  const bool begun = begin(header, key.data());
  sodium_memzero(key.data(), key.size());
  return begun;
}

bool BackupSealer::start(const BackupPublicKey& publicKey, Sink sink, std::uint32_t chunkBytes) {
  if (sodium_init() < 0) return false;
  sink_ = std::move(sink);
  chunkBytes_ = chunkBytes;
  BackupHeader header;
  header.version = kSealedBackupFormatVersion;
  header.cost = publicKey.cost;
  header.salt = publicKey.salt;
  Key key{};
  crypto_secretstream_xchacha20poly1305_keygen(key.data());
  crypto_box_seal(header.sealedKey.data(), key.data(), key.size(), publicKey.key.data());
  const bool begun = begin(header, key.data());
  sodium_memzero(key.data(), key.size());
  return begun;
}

bool BackupSealer::begin(BackupHeader& header, const unsigned char* streamKey) {
  pending_.clear();
  pending_.reserve(chunkBytes_);
  header.chunkBytes = chunkBytes_;
  state_ = std::make_unique<State>();
  crypto_secretstream_xchacha20poly1305_init_push(&state_->stream, header.streamHeader.data(), streamKey);
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
  QByteArray headerBytes = device.read(kBackupHeaderPrefixSize);
  if (headerBytes.isEmpty() && device.atEnd()) return BackupResult::NotABackup;
  if (headerBytes.size() < kBackupHeaderPrefixSize && !device.atEnd()) return BackupResult::ReadFailed;
  const int headerSize = BackupHeaderSizeOf(headerBytes);
  if (headerSize > 0) {
    headerBytes += device.read(headerSize - kBackupHeaderPrefixSize);
    if (headerBytes.size() < headerSize && !device.atEnd()) return BackupResult::ReadFailed;
  }
  BackupHeaderError error = BackupHeaderError::None;
  const std::optional<BackupHeader> header = ParseBackupHeader(headerBytes, error);
  if (!header)
    return error == BackupHeaderError::BadParameters && headerBytes.size() < headerSize ? BackupResult::Damaged
                                                                                        : BackupResult::NotABackup;
  chunkBytes_ = header->chunkBytes;
  Key key{};
  if (header->version == kSealedBackupFormatVersion) {
    if (const BackupResult unsealed = UnsealStreamKey(key, passphrase, *header); unsealed != BackupResult::Done)
      return unsealed;
  } else if (!DeriveKey(key, passphrase, header->salt, header->cost)) {
    return BackupResult::ReadFailed;
  }
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
