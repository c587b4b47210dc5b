// Any bytes as an unscrambled sync state file: what was read writes and reads
// back the same.
#include "caldav/sync_state.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  orlane::SyncState first;
  if (orlane::ParseSyncState(bytes, first) != orlane::SyncStateLoad::Ok) return 0;
  orlane::SyncState second;
  if (orlane::ParseSyncState(orlane::SerializeSyncState(first), second) != orlane::SyncStateLoad::Ok) std::abort();
  if (!(first == second)) std::abort();
  return 0;
}
