#include "diary/page_links.h"

#include <QRegularExpression>

namespace orlane {

QString LinkAt(const QString& text, int pos) {
  static const QRegularExpression link(QStringLiteral(R"((?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)"),
                                       QRegularExpression::CaseInsensitiveOption);
  for (auto it = link.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    QString found = m.captured();
    // A sentence's closing mark is not part of the address.
    while (!found.isEmpty() && QStringLiteral(".,;:!?)").contains(found.back())) found.chop(1);
    if (pos >= m.capturedStart() && pos < m.capturedStart() + found.size()) {
      return found.startsWith(QStringLiteral("www."), Qt::CaseInsensitive) ? QStringLiteral("http://") + found : found;
    }
  }
  return {};
}

}  // namespace orlane
