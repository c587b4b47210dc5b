#include "calendar/calendar_notice.h"

#include "platform/program_info.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace orlane {

namespace {

NoticeHandler& Handler() {
  static NoticeHandler handler;
  return handler;
}

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

bool DefaultNotice(QWidget* parent, const Notice& notice) {
  const QString title = QString::fromUtf8(kProgramTitle);
  switch (notice.kind) {
    case NoticeKind::Question:
      return QMessageBox::question(parent, title, notice.text, QMessageBox::Yes | QMessageBox::No) ==
             QMessageBox::Yes;
    case NoticeKind::Warning:
      QMessageBox::warning(parent, title, notice.text);
      return true;
    case NoticeKind::Information:
      break;
  }
  QMessageBox::information(parent, title, notice.text);
  return true;
}

}  // namespace

bool ShowNotice(QWidget* parent, const Notice& notice) {
  if (Handler()) return Handler()(parent, notice);
  return DefaultNotice(parent, notice);
}

void SetNoticeHandler(NoticeHandler handler) { Handler() = std::move(handler); }

bool OpenWithShell(const QUrl& url) {
  if (Opener()) return Opener()(url);
  return QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

}  // namespace orlane
