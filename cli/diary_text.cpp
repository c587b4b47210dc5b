#include "cli/diary_text.h"

#include "diary/page_text.h"

namespace orlane::cli {

DiaryTextReader CliDiaryTextReader() {
  return [](const QByteArray& rtf) {
    const RtfPageText page = ReadRtfPageText(rtf);
    return DiaryPageText{page.text, page.hasObject};
  };
}

}  // namespace orlane::cli
