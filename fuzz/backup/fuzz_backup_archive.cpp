// Any bytes as the decrypted tar stream of a backup: every entry the reader
// hands over has a safe name, and its data adds up to its size.
#include "backup/backup_tar.h"

#include <cstdint>
#include <cstdlib>

namespace {
class CheckingSink final : public orlane::TarEntrySink {
 public:
  orlane::BackupResult begin(const orlane::TarEntry& entry) override {
    if (!orlane::IsSafeEntryName(entry.name) || entry.size < 0) std::abort();
    expected_ = entry.size;
    got_ = 0;
    return orlane::BackupResult::Done;
  }
  orlane::BackupResult data(QByteArrayView bytes) override {
    got_ += bytes.size();
    if (got_ > expected_) std::abort();
    return orlane::BackupResult::Done;
  }
  orlane::BackupResult end() override {
    if (got_ != expected_) std::abort();
    return orlane::BackupResult::Done;
  }

 private:
  qint64 expected_ = 0;
  qint64 got_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  qsizetype at = 0;
  CheckingSink sink;
  (void)orlane::ReadTarEntries(
      [&](QByteArrayView& plain) {
        // Pieces of varying size, as chunks of the decrypted stream come.
        plain = input.sliced(at, std::min<qsizetype>(input.size() - at, 333));
        at += plain.size();
        return orlane::BackupResult::Done;
      },
      sink);
  return 0;
}
