#include "calendar/calendar_notice.h"

#include "controls/msg_box_dlg.h"

#include <QDesktopServices>

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
  if (notice.kind == NoticeKind::Question) return ThemedQuestion(notice.text, notice.theme, parent) == 1;
  ThemedNotice(notice.text, notice.theme, parent);
  return true;
}

}  // namespace

bool ShowNotice(QWidget* parent, const Notice& notice) {
  if (Handler()) return Handler()(parent, notice);
  return DefaultNotice(parent, notice);
}

void SetNoticeHandler(NoticeHandler handler) {
  Handler() = std::move(handler);
}

bool OpenWithShell(const QUrl& url) {
  if (Opener()) return Opener()(url);
  return QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) {
  Opener() = std::move(opener);
}

}  // namespace orlane
