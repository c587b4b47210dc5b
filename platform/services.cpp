#include "platform/services.h"

namespace orlane {

namespace services_detail {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

// The one installed object. A function's static built after the lock (every
// path takes the lock first), so the lock outlives it: the sound player it
// holds joins its thread at exit while that thread may still read services.
Services& Installed() {
  static Services installed;
  return installed;
}

}  // namespace services_detail

void InstallServices(Services services) {
  Services replaced;
  {
    const std::lock_guard<std::mutex> lock(services_detail::Lock());
    replaced = std::exchange(services_detail::Installed(), std::move(services));
  }
  // What the replaced ones held (a player's thread) goes here, outside the lock.
}

}  // namespace orlane
