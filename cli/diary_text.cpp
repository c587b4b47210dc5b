#include "cli/diary_text.h"

namespace orlane::cli {

// Until the diary library joins the command line, a page's text is not read
// and only an empty term matches diary pages.
DiaryTextReader CliDiaryTextReader() { return {}; }

}  // namespace orlane::cli
