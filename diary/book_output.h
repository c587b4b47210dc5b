// Writes an assembled diary book in its format, through the atomic writer:
// the Markdown text and its picture files, one HTML file with the pictures
// inline, a paginated PDF, or plain text.
#pragma once

#include "diary/diary_book.h"

namespace orlane {

class BookDocument;

// Sets result's status to Written, or to WriteFailed with the path and reason.
void WriteBookFile(BookDocument& book, const DiaryBookRequest& request, DiaryBookResult& result);

}  // namespace orlane
