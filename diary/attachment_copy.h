// Handing an attached file to the desktop: the copy it opens is written into a
// new folder only this user can enter, as a file this program created, so
// another local user can neither plant it, replace it before it is opened, nor
// lend it permissions. Files that would run rather than open are recognised so
// the editor can ask first.
#pragma once

#include <QByteArray>
#include <QString>

namespace orlane {

// The attachment's name as a plain file name: no folders, never "." or "..",
// "attachment" when nothing usable is left.
QString AttachmentFileName(const QString& name);

// A desktop entry, a script, a native or Windows program, or anything whose
// type (by name or content) is one of these.
bool IsExecutableAttachment(const QString& name, const QByteArray& data);

// Writes data as <fresh private folder>/<file name> (mode 0600, never through
// a link). The file's path, or an empty text when it cannot be written.
QString WriteAttachmentCopy(const QString& name, const QByteArray& data);

}  // namespace orlane
