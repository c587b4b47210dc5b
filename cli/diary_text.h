// How orlanectl reads a diary page's plain text for the search.
#pragma once

#include "reminders/day_search.h"

namespace orlane::cli {

DiaryTextReader CliDiaryTextReader();

}  // namespace orlane::cli
