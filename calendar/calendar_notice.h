// How the calendar's online commands tell and ask the user, and how they open
// an address in the browser: one replaceable handler each. By default notices
// and questions are the themed message box in the asking window's theme;
// tests install handlers that record and answer.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace orlane {

enum class NoticeKind { Information, Warning, Question };

struct Notice {
  NoticeKind kind = NoticeKind::Information;
  QString text;
  int theme = 0;  // the asking window's theme
};

// Returns true for OK / Yes, false for No.
using NoticeHandler = std::function<bool(QWidget* parent, const Notice& notice)>;
bool ShowNotice(QWidget* parent, const Notice& notice);
// An empty handler restores the default.
void SetNoticeHandler(NoticeHandler handler);

// Opens an address with the desktop's handler ("open" verb); true when it
// was handed over.
using UrlOpener = std::function<bool(const QUrl& url)>;
bool OpenWithShell(const QUrl& url);
void SetUrlOpener(UrlOpener opener);

}  // namespace orlane
