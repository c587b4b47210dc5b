// How the calendar's online commands tell and ask the user, and how they open
// an address in the browser: notices and questions are the themed message box
// in the asking window's theme (answered by the services' modal responder in
// tests), addresses go to the desktop's opener (controls/desktop_open.h).
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace orlane {

enum class NoticeKind { Information, Warning, Question };

struct Notice {
  NoticeKind kind = NoticeKind::Information;
  QString text;
  int theme = 0;  // the asking window's theme
};

// Returns true for OK / Yes, false for No.
bool ShowNotice(QWidget* parent, const Notice& notice);

// Opens an address with the desktop's handler ("open" verb); true when it
// was handed over.
bool OpenWithShell(const QUrl& url);

}  // namespace orlane
