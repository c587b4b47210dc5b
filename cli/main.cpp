// orlanectl: the command-line companion over the same user folder and core
// library as the desktop program.
#include "cli/commands.h"
#include "platform/app_paths.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <string_view>

namespace {

void PrintHelp(FILE* to) {
  std::fprintf(to, "usage: orlanectl [--user-dir DIR] [--password PW] [--create] COMMAND [ARGS]\n\ncommands:\n");
  for (const orlane::cli::CliCommand& c : orlane::cli::Commands()) std::fprintf(to, "  %s\n", c.synopsis);
}

// A book of diary pages is laid out with fonts (its PDF), which needs a GUI
// application; orlanectl never shows a window, so it is the offscreen one.
bool LaysOutBook(int argc, char** argv) {
  bool diary = false;
  bool range = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a(argv[i]);
    diary = diary || a == "diary";
    range = range || a == "--from" || a == "--to" || a.starts_with("--from=") || a.starts_with("--to=");
  }
  return diary && range;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orlane::cli;
  std::unique_ptr<QCoreApplication> application;
  if (LaysOutBook(argc, argv)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QStringList args = QCoreApplication::arguments().mid(1);

  std::optional<QString> userDir;
  std::optional<QString> password;
  bool create = false;
  // Global options come before the command.
  while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
    const QString option = args.takeFirst();
    auto value = [&](const char* name, std::optional<QString>& into) {
      const QString flag = QStringLiteral("--") + QLatin1String(name);
      if (option == flag) {
        if (args.isEmpty()) return false;
        into = args.takeFirst();
        return true;
      }
      if (option.startsWith(flag + QLatin1Char('='))) {
        into = option.mid(flag.size() + 1);
        return true;
      }
      return false;
    };
    if (option == QLatin1String("--help")) {
      PrintHelp(stdout);
      return kExitOk;
    }
    if (option == QLatin1String("--create")) {
      create = true;
      continue;
    }
    if (value("user-dir", userDir) || value("password", password)) continue;
    std::fprintf(stderr, "unknown option %s\n", option.toLocal8Bit().constData());
    return kExitUsage;
  }
  if (args.isEmpty()) {
    PrintHelp(stderr);
    return kExitUsage;
  }
  if (password) CliContext::warnPasswordArgument();
  if (!password) {
    const QString fromEnv = qEnvironmentVariable("ORLANE_PASSWORD");
    if (qEnvironmentVariableIsSet("ORLANE_PASSWORD")) password = fromEnv;
  }
  orlane::SetUserFolder(userDir ? QDir(*userDir).absolutePath() : orlane::ResolveUserFolder());

  const QString name = args.takeFirst();
  for (const CliCommand& c : Commands()) {
    if (name != QLatin1String(c.name)) continue;
    CliContext context(args, password);
    // Also accepted among the command's own options.
    create = context.takeFlag("create") || create;
    if (UsesUserFolder(c))
      if (const int code = context.requireUserFolder(create)) return code;
    return c.run(context);
  }
  std::fprintf(stderr, "unknown command %s\n", name.toLocal8Bit().constData());
  return kExitUsage;
}
