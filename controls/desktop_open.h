// Handing an address to the desktop ("open" verb: the browser, the mail
// program, the viewer of a file): the installed services' opener when there
// is one (tests record instead of starting a browser), else the desktop's.
#pragma once

#include <QUrl>

namespace orlane {

// True when the address was handed over.
bool OpenOnDesktop(const QUrl& url);

}  // namespace orlane
