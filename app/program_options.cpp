#include "app/program_options.h"

#include "calendar/holiday_file.h"
#include "controls/bv_title.h"
#include "controls/media_module.h"
#include "dialogs/help_topic.h"
#include "platform/app_paths.h"
#include "platform/program_info.h"
#include "res/resources.h"
#include "security/error_log.h"

#include <QFileInfo>
#include <QString>

#include <cstring>

namespace orlane {

namespace {
constexpr int kThemeCount = 10;

void Line(std::FILE* out, const char* name, const QString& value) {
  std::fprintf(out, "%s: %s\n", name, value.toLocal8Bit().constData());
}

// The path, or "missing" (and a note that something is missing).
QString Found(const QString& path, bool& complete) {
  if (!path.isEmpty() && QFileInfo(path).isFile()) return path;
  complete = false;
  return QStringLiteral("missing");
}

int PrintPaths(std::FILE* out) {
  bool complete = true;
  Line(out, "program folder", ProgramFolder());
  Line(out, "user folder", ResolveUserFolder());
  for (const QString& folder : ProgramDataFolders()) Line(out, "data folder", folder);
  Line(out, "holiday downloads", HolidayDownloadFolder());
  Line(out, "error log", ErrorLogPath());
  Line(out, "autostart entry", ConfigFolder() + QStringLiteral("autostart/"));
  for (int theme = 0; theme < kThemeCount; ++theme)
    Line(out, QStringLiteral("skin %1").arg(theme).toLatin1().constData(), Found(CBVTitle::SkinPath(theme), complete));
  for (const char* topic : help::kAllTopics)
    Line(out, (QStringLiteral("help ") + QLatin1String(topic)).toLatin1().constData(),
         Found(HelpTopicUrl(QLatin1String(topic)).toLocalFile(), complete));
  Line(out, "media module", Found(MediaModulePath(), complete));
  const QByteArray beep = ResourceData(kIdBeepWave);
  const bool beepOk = beep.startsWith("RIFF") && beep.mid(8, 4) == "WAVE";
  if (!beepOk) complete = false;
  Line(out, "beep", beepOk ? QStringLiteral("built in, %1 bytes").arg(beep.size()) : QStringLiteral("missing"));
  return complete ? 0 : 1;
}
}  // namespace

ProgramOption ParseProgramOption(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) return ProgramOption::Help;
    if (std::strcmp(argv[i], "--version") == 0) return ProgramOption::Version;
    if (std::strcmp(argv[i], "--paths") == 0) return ProgramOption::Paths;
  }
  return ProgramOption::Run;
}

int RunProgramOption(ProgramOption option, std::FILE* out) {
  switch (option) {
    case ProgramOption::Help:
      std::fprintf(out,
                   "usage: orlane [--help | --version | --paths]\n\n"
                   "Starts the calendar and diary; other arguments are ignored.\n"
                   "  --version  prints the program's name and version\n"
                   "  --paths    prints where the program keeps and finds its files\n");
      return 0;
    case ProgramOption::Version: std::fprintf(out, "%s %s\n", kProgramTitle, kProgramVersion); return 0;
    case ProgramOption::Paths: return PrintPaths(out);
    case ProgramOption::Run: break;
  }
  return 0;
}

}  // namespace orlane
