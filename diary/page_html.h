// A stored RTF page as a standalone HTML document, for exporting without an
// editor: emphasis, fonts, colours, alignment and lists as the page holds them,
// pictures inline as data URIs. Works under a QCoreApplication.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace orlane {

// The page in UTF-8 HTML with title as its title; nothing when the bytes are not RTF.
std::optional<QByteArray> RtfPageHtml(QByteArrayView rtf, const QString& title);

}  // namespace orlane
