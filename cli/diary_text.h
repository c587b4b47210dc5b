// How orlanectl reads a diary page's plain text for the search.
#pragma once

#include "reminders/day_search.h"

#include <QByteArray>
#include <QSet>

namespace orlane::cli {

// unreadable, when given, collects the pages that are not RTF (a damaged day).
DiaryTextReader CliDiaryTextReader(QSet<QByteArray>* unreadable = nullptr);

}  // namespace orlane::cli
