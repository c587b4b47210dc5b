// Links in a page's plain text: web addresses, "www." names and mail links
// are detected as the user types, as the editor shows them.
#pragma once

#include <QString>

namespace orlane {

// The link that covers position pos of text, or an empty text.
QString LinkAt(const QString& text, int pos);

}  // namespace orlane
