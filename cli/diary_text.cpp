#include "cli/diary_text.h"

#include "diary/page_text.h"

namespace orlane::cli {

DiaryTextReader CliDiaryTextReader(QSet<QByteArray>* unreadable) {
  return [unreadable](const QByteArray& rtf) {
    const RtfPageText page = ReadRtfPageText(rtf);
    if (!page.readable && unreadable) unreadable->insert(rtf);
    return DiaryPageText{page.text, page.hasObject};
  };
}

}  // namespace orlane::cli
