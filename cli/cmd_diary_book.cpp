// orlanectl diary export --from DATE --to DATE --format md|html|pdf|txt OUT:
// the pages of a range as one book.
#include "cli/commands.h"
#include "days/day_files.h"
#include "diary/diary_book.h"

#include <QFileInfo>

namespace orlane::cli {

namespace {
constexpr char kUsage[] =
    "usage: orlanectl diary export [--from DATE] [--to DATE] [--format md|html|pdf|txt] [--newest-first] OUT";

int Report(CliContext& context, const DiaryBookResult& result, const QString& out) {
  switch (result.status) {
    case BookStatus::NoPages:
      return context.fail(kExitRefused, QStringLiteral("There are no diary pages in this range."));
    case BookStatus::Cancelled: return context.fail(kExitFileError, QStringLiteral("The export was cancelled."));
    case BookStatus::WriteFailed:
      return context.fail(kExitFileError,
                          QStringLiteral("cannot write ") + result.failedPath + QStringLiteral(": ") + result.failure);
    case BookStatus::Written: break;
  }
  CliContext::print(QStringLiteral("%1 pages written to %2").arg(result.pages).arg(out));
  // The book is there; a script still learns that it lacks pages.
  if (!result.unreadable.isEmpty())
    context.fail(kExitFileError,
                 QStringLiteral("Skipped, could not be read: ") + result.unreadable.join(QStringLiteral(", ")));
  if (!result.otherPassword.isEmpty())
    return context.fail(kExitOtherPassword, QStringLiteral("Skipped, written under another password: ") +
                                                result.otherPassword.join(QStringLiteral(", ")));
  return result.unreadable.isEmpty() ? kExitOk : kExitFileError;
}
}  // namespace

int RunDiaryBook(CliContext& context, const std::optional<QString>& from, const std::optional<QString>& to,
                 const std::optional<QString>& format) {
  const bool newestFirst = context.takeFlag("newest-first");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (context.args().size() != 2 || context.arg(0) != QLatin1String("export"))
    return context.usage(QLatin1String(kUsage));
  const QString out = QFileInfo(context.arg(1)).absoluteFilePath();
  const std::optional<BookFormat> bookFormat = BookFormatNamed(format.value_or(QFileInfo(out).suffix().toLower()));
  if (!bookFormat) return context.usage(QLatin1String(kUsage));
  const std::optional<QString> fromKey = context.rangeKey(from, QStringLiteral("00000000"));
  const std::optional<QString> toKey = context.rangeKey(to, QStringLiteral("ffffffff"));
  if (!fromKey || !toKey) return kExitUsage;
  if (*fromKey > *toKey) return context.usage(QStringLiteral("--from is after --to"));
  DiaryBookRequest request;
  if (const int code = context.login(request.password)) return code;
  request.fromKey = *fromKey;
  request.toKey = *toKey;
  request.format = *bookFormat;
  request.order = newestFirst ? BookOrder::NewestFirst : BookOrder::OldestFirst;
  request.outPath = out;
  return Report(context, WriteDiaryBook(request), out);
}

}  // namespace orlane::cli
