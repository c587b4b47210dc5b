#include "cli/commands.h"
#include "days/day_files.h"
#include "diary/page_html.h"
#include "diary/page_text.h"
#include "platform/file_io.h"
#include "security/scramble.h"

#include <QFileInfo>

namespace orlane::cli {

namespace {
constexpr char kUsage[] =
    "usage: orlanectl diary export DATE [--format rtf|txt|html] | diary import DATE FILE [--replace]";

int Export(CliContext& context, const QString& path, const QString& date, const QString& format) {
  QByteArray password;
  if (const int code = context.login(password)) return code;
  QByteArray bytes;
  if (ReadFileBytes(path, bytes) == FileReadResult::Missing)
    return context.fail(kExitRefused, QStringLiteral("There is no diary page on ") + date + QLatin1Char('.'));
  switch (CheckPasswordHeader(bytes, password)) {
    case PasswordHeaderCheck::OtherPassword:
      return context.fail(kExitOtherPassword, QStringLiteral("The diary page belongs to another password."));
    case PasswordHeaderCheck::TooShort: return context.fail(kExitFileError, QStringLiteral("cannot read ") + path);
    case PasswordHeaderCheck::Matches: break;
  }
  const QByteArray rtf = UnwrapPasswordHeader(bytes);
  if (format == QLatin1String("rtf")) {
    CliContext::printRaw(rtf);
    return kExitOk;
  }
  if (format == QLatin1String("html")) {
    const std::optional<QByteArray> html = RtfPageHtml(rtf, QStringLiteral("Diary ") + date);
    if (!html) return context.fail(kExitFileError, QStringLiteral("the page is not RTF: ") + path);
    CliContext::printRaw(*html);
    return kExitOk;
  }
  const RtfPageText page = ReadRtfPageText(rtf);
  if (!page.readable) return context.fail(kExitFileError, QStringLiteral("the page is not RTF: ") + path);
  CliContext::print(QString(page.text).remove(QChar(0xFFFC)));
  return kExitOk;
}

// Suffix of the old page that --replace keeps beside the new one:
// <daykey>.dia.replaced-<n>.
constexpr char kReplacedSuffix[] = ".replaced";

int Import(CliContext& context, const QString& path, const QString& date, const QString& source, bool replace) {
  QByteArray password;
  if (const int code = context.login(password)) return code;
  QByteArray rtf;
  if (ReadFileBytes(source, rtf, qint64(512) << 20) != FileReadResult::Ok)
    return context.fail(kExitFileError, QStringLiteral("cannot read ") + source);
  if (!ReadRtfPageText(rtf).readable) return context.fail(kExitUsage, QStringLiteral("not an RTF file: ") + source);
  QByteArray existing;
  const FileReadResult old = ReadFileBytes(path, existing);
  if (old == FileReadResult::Unreadable || old == FileReadResult::TooLarge)
    return context.fail(kExitFileError, QStringLiteral("cannot read ") + path);
  if (old == FileReadResult::Ok) {
    // A page of another password is never replaced.
    if (CheckPasswordHeader(existing, password) != PasswordHeaderCheck::Matches)
      return context.fail(kExitOtherPassword, QStringLiteral("The diary page belongs to another password."));
    if (!replace)
      return context.fail(kExitRefused, QStringLiteral("There is a diary page on ") + date +
                                            QStringLiteral(" already; --replace replaces it and keeps the old one."));
    if (KeepFileCopy(path, QLatin1String(kReplacedSuffix), true).isEmpty())
      return context.fail(kExitFileError, QStringLiteral("The old page could not be kept beside ") + path +
                                              QStringLiteral(": ") + LastFileError());
  }
  if (!context.ensureUserFolder() ||
      AtomicWriteFile(path, WrapWithPasswordHeader(rtf, password)) != WriteResult::Written)
    return context.fail(kExitFileError, QStringLiteral("cannot write ") + path);
  return kExitOk;
}
}  // namespace

int RunDiary(CliContext& context) {
  std::optional<QString> format;
  std::optional<QString> from;
  std::optional<QString> to;
  if (!context.takeOption("format", format) || !context.takeOption("from", from) || !context.takeOption("to", to))
    return kExitUsage;
  if (from || to) return RunDiaryBook(context, from, to, format);
  const bool replace = context.takeFlag("replace");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  const QString verb = context.arg(0);
  const bool exporting = verb == QLatin1String("export") && context.args().size() == 2 && !replace;
  const bool importing = verb == QLatin1String("import") && context.args().size() == 3 && !format;
  if (!exporting && !importing) return context.usage(QLatin1String(kUsage));
  const std::optional<CalendarDate> date = context.parseDate(context.arg(1));
  if (!date) return kExitUsage;
  const QString path = DayFilePath(date->year, date->month, date->day, DayFileKind::Diary);
  if (importing) return Import(context, path, context.arg(1), QFileInfo(context.arg(2)).absoluteFilePath(), replace);
  const QString f = format.value_or(QStringLiteral("rtf"));
  if (f != QLatin1String("rtf") && f != QLatin1String("txt") && f != QLatin1String("html"))
    return context.usage(QLatin1String(kUsage));
  return Export(context, path, context.arg(1), f);
}

}  // namespace orlane::cli
