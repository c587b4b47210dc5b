#include "platform/services.h"

namespace orlane {

namespace services_detail {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

// The one installed object. A function's static, so that whatever touches it
// first (the shared sound player) is destroyed before it at exit.
Services& Installed() {
  static Services installed;
  return installed;
}

}  // namespace services_detail

void InstallServices(Services services) {
  const std::lock_guard<std::mutex> lock(services_detail::Lock());
  services_detail::Installed() = std::move(services);
}

}  // namespace orlane
