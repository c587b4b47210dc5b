// Any bytes as a holiday file or a downloaded answer: the lookup must stop
// safely, a found name never holds a line end, the piecewise reading keeps
// its definition, an accepted download begins with "01/01" and names that
// day, and a version answer is a version of at most 4 characters or none.
#include "calendar/holiday_file.h"
#include "calendar/online_answers.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  for (int month = 1; month <= 12; ++month) {
    const QString name = orlane::HolidayNameIn(bytes, month, 1 + static_cast<int>(size % 31));
    if (name.contains(QStringLiteral("\r\n"))) std::abort();
  }
  const QByteArray text = orlane::JoinPiecesAsText(bytes, orlane::kHolidayPieceSize);
  if (text.size() > bytes.size() || text.contains('\0')) std::abort();
  if (orlane::IsAcceptableHolidayData(bytes) &&
      (bytes.size() < 6 || !bytes.startsWith("01/01") || orlane::HolidayNameIn(bytes, 1, 1).isEmpty()))
    std::abort();
  const orlane::VersionAnswer answer = orlane::VersionFromAnswer(bytes);
  if (answer.version.size() > orlane::kMaxVersionLength) std::abort();
  if ((answer.kind == orlane::VersionAnswerKind::Version) == answer.version.isEmpty()) std::abort();
  return 0;
}
