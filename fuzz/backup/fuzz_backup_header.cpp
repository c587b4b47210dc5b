// Any bytes as the start of a backup file: the header parser must refuse or
// give back a header that serialises to the same bytes; a header of the
// cheapest cost is then opened with a fixed passphrase and read to its end.
#include "backup/backup_crypto.h"
#include "backup/backup_header.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::BackupHeaderError error = orlane::BackupHeaderError::None;
  const auto header = orlane::ParseBackupHeader(input, error);
  if (header.has_value() != (error == orlane::BackupHeaderError::None)) std::abort();
  if (!header) return 0;
  if (orlane::SerializeBackupHeader(*header) != input.left(orlane::BackupHeaderSizeOf(input))) std::abort();
  const orlane::BackupKdfCost light = orlane::LightBackupKdfCost();
  if (header->cost.operations != light.operations || header->cost.memoryBytes != light.memoryBytes) return 0;

  QBuffer device(&input);
  device.open(QIODevice::ReadOnly);
  orlane::BackupOpener opener;
  if (opener.open(device, "fuzz") != orlane::BackupResult::Done) return 0;
  QByteArrayView plain;
  while (!opener.atEnd() && opener.next(plain) == orlane::BackupResult::Done) {
  }
  return 0;
}
