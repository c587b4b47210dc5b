#include "calendar/calendar_notice.h"

#include "controls/desktop_open.h"
#include "controls/msg_box_dlg.h"

namespace orlane {

bool ShowNotice(QWidget* parent, const Notice& notice) {
  if (notice.kind == NoticeKind::Question) return ThemedQuestion(notice.text, notice.theme, parent) == 1;
  ThemedNotice(notice.text, notice.theme, parent);
  return true;
}

bool OpenWithShell(const QUrl& url) {
  return OpenOnDesktop(url);
}

}  // namespace orlane
