#include "controls/desktop_open.h"

#include "platform/services.h"

#include <QDesktopServices>

namespace orlane {

bool OpenOnDesktop(const QUrl& url) {
  if (const auto open = Service(&Services::openUrl)) return open(url);
  return QDesktopServices::openUrl(url);
}

}  // namespace orlane
